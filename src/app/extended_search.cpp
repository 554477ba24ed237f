#include "app/extended_search.h"

#include <QThread>

#include "board/status_composer.h"
#include "engine/difficulty_score.h"
#include "engine/extended_solve.h"

namespace tavimoro::app {

ExtendedSearch::ExtendedSearch(QObject* parent)
    : QObject(parent),
      searcher_(
          [](const PuzzleState& state, SearchOptions options) { return FindExtendedStep(state, options); }),
      easiestSearcher_(
          [](const PuzzleState& state, SearchOptions options) { return FindEasiestStep(state, options); }),
      analyser_(ExtendedAnalysis) {
  slowTimer_.setSingleShot(true);
  slowTimer_.setInterval(300);
  connect(&slowTimer_, &QTimer::timeout, this, [this] { emit slow(slowTicket_); });
}

ExtendedSearch::~ExtendedSearch() {
  slowTimer_.stop();
  if (worker_ == nullptr) return;
  worker_->disconnect(this);
  worker_->wait();
  delete worker_;
}

void ExtendedSearch::request(const PuzzleState& state, std::uint64_t ticket, bool analysis, bool easiest,
                             SearchOptions options) {
  slowTicket_ = ticket;
  slowTimer_.start();
  if (busy()) {
    waiting_ = Request{state, ticket, analysis, easiest, options};
    answerWanted_ = false;
    return;
  }
  start(Request{state, ticket, analysis, easiest, options});
}

void ExtendedSearch::abandon() {
  slowTimer_.stop();
  waiting_.reset();
  answerWanted_ = false;
}

void ExtendedSearch::start(const Request& request) {
  runningTicket_ = request.ticket;
  runningAnalysis_ = request.analysis;
  answerWanted_ = true;
  answer_ = std::make_shared<Answer>();
  if (request.analysis) {
    worker_ = QThread::create([state = request.state, options = request.options, answer = answer_,
                               analyse = analyser_] { answer->text = analyse(state, options); });
  } else {
    worker_ = QThread::create(
        [state = request.state, options = request.options, answer = answer_,
         search = request.easiest ? easiestSearcher_ : searcher_] { answer->step = search(state, options); });
  }
  // finished is sent from the worker; the connection queues it to this
  // object's thread.
  connect(worker_, &QThread::finished, this, &ExtendedSearch::finish);
  worker_->start();
}

void ExtendedSearch::finish() {
  worker_->wait();
  delete worker_;
  worker_ = nullptr;
  const std::shared_ptr<Answer> answer = std::move(answer_);
  const std::uint64_t ticket = runningTicket_;
  const bool analysis = runningAnalysis_;
  const bool wanted = answerWanted_;
  answerWanted_ = false;
  if (waiting_) {
    const Request next = std::move(*waiting_);
    waiting_.reset();
    start(next);
  } else if (wanted && slowTicket_ == ticket) {
    slowTimer_.stop();
  }
  if (!wanted) return;
  if (analysis) {
    emit analysed(ticket, answer->text);
  } else {
    emit found(ticket, answer->step);
  }
}

}  // namespace tavimoro::app
