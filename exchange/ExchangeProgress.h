#pragma once

// What export and import report while they run: a total number of parts and
// one step per part done. The editor shows it in the main window's progress
// pane; the command line shows nothing.

namespace torvik::exchange {

class ExchangeProgress {
public:
    virtual ~ExchangeProgress() = default;
    // Shown with no part complete.
    virtual void start() = 0;
    virtual void setTotal(int total) = 0;
    virtual void step() = 0;
    virtual void finish() = 0; // hidden
};

class NoProgress : public ExchangeProgress {
public:
    void start() override {}
    void setTotal(int) override {}
    void step() override {}
    void finish() override {}
};

// Hides the progress when the operation ends, however it ends.
class ProgressShown {
public:
    explicit ProgressShown(ExchangeProgress &progress) : progress_(progress) { progress_.start(); }
    ~ProgressShown() { progress_.finish(); }
    ProgressShown(const ProgressShown &) = delete;
    ProgressShown &operator=(const ProgressShown &) = delete;

private:
    ExchangeProgress &progress_;
};

} // namespace torvik::exchange
