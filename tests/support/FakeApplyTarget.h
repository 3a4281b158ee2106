#pragma once
// The controls applying sets outside the monitor, for tests: the main
// window's run buttons, page scroll range, column and timer interval, and the
// dialog's pointer and focus. Each call is also written to `log` when one is
// given, as "name:arguments", so the order across several fakes can be checked.

#include "models/DialogApply.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class FakeApplyTarget : public DialogApplyTarget {
public:
    explicit FakeApplyTarget(std::vector<std::string>* log = nullptr) : m_log(log) {}

    std::array<bool, 3> runButtonEnabled{};
    std::pair<int, int> pageRange{};
    std::optional<int> column;
    int pollInterval = -1;
    bool busy = false;
    std::optional<DialogControl> focused;

    void setRunButtonEnabled(RunButton button, bool on) override {
        runButtonEnabled.at(static_cast<std::size_t>(button)) = on;
        add("runEnabled:" + std::to_string(static_cast<int>(button)) + "=" + flag(on));
    }
    void setPageScrollRange(int lo, int hi) override {
        pageRange = {lo, hi};
        add("pageRange:" + std::to_string(lo) + ".." + std::to_string(hi));
    }
    void showColumn(int shown) override {
        column = shown;
        add("column:" + std::to_string(shown));
    }
    void setPollTimerInterval(int ms) override {
        pollInterval = ms;
        add("pollInterval:" + std::to_string(ms));
    }
    void setDialogBusy(bool on) override {
        busy = on;
        add("busy:" + flag(on));
    }
    void focusDialogField(DialogControl field) override {
        focused = field;
        add("focus:" + std::string(controlName(field)));
    }

private:
    static std::string flag(bool b) { return b ? "1" : "0"; }
    void add(const std::string& entry) {
        if (m_log)
            m_log->push_back(entry);
    }
    std::vector<std::string>* m_log;
};
