// ExtendedSearch: the window's search for the hint's step beyond the ladder
// and for the analysis's part beyond it (FindExtendedStep and
// ExtendedAnalysis can take a second on the hardest positions), run on a
// thread of its own on a copy of the position so that the window never
// waits. One search runs at a time: a request made while one runs waits for
// it, and a newer request replaces a waiting one, so clicks cannot pile up
// searches. The answer, and the notice that a request has taken longer
// than a moment, come back on the window's thread as signals.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/puzzle_state.h"
#include "engine/search_options.h"
#include "engine/step_record.h"

class QThread;

namespace tavimoro::app {

class ExtendedSearch : public QObject {
  Q_OBJECT

 public:
  // Runs on the worker thread; the default is FindExtendedStep.
  using Searcher = std::function<StepRecord(const PuzzleState&, SearchOptions)>;
  // Runs on the worker thread; the default is ExtendedAnalysis.
  using Analyser = std::function<std::string(const PuzzleState&, SearchOptions)>;

  explicit ExtendedSearch(QObject* parent = nullptr);
  // A running search cannot be interrupted: the destructor waits for it
  // (one search at most) and drops its answer and any waiting request.
  ~ExtendedSearch() override;

  // The hint's step (answered by found) or the analysis's part (analysed);
  // easiest asks for the step of the lowest score (FindEasiestStep) instead.
  void request(const PuzzleState& state, std::uint64_t ticket, bool analysis = false, bool easiest = false,
               SearchOptions options = {});
  // Drops the waiting request and the answer of the running search.
  void abandon();
  bool busy() const { return worker_ != nullptr; }

  void setSearcher(Searcher searcher) { searcher_ = std::move(searcher); }
  void setAnalyser(Analyser analyser) { analyser_ = std::move(analyser); }
  // How long a request may take before slow is sent (300 ms).
  void setSlowAfter(int milliseconds) { slowTimer_.setInterval(milliseconds); }

 signals:
  void slow(quint64 ticket);
  void found(quint64 ticket, const tavimoro::StepRecord& step);
  void analysed(quint64 ticket, const std::string& text);

 private:
  struct Request {
    PuzzleState state;
    std::uint64_t ticket = 0;
    bool analysis = false;
    bool easiest = false;
    SearchOptions options;
  };
  struct Answer {
    StepRecord step{};
    std::string text;
  };
  void start(const Request& request);
  void finish();

  Searcher searcher_;
  Searcher easiestSearcher_;
  Analyser analyser_;
  QThread* worker_ = nullptr;
  std::uint64_t runningTicket_ = 0;
  bool runningAnalysis_ = false;
  bool answerWanted_ = false;
  std::shared_ptr<Answer> answer_;
  std::optional<Request> waiting_;
  std::uint64_t slowTicket_ = 0;
  QTimer slowTimer_;
};

}  // namespace tavimoro::app
