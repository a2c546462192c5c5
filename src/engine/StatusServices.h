#pragma once
#include <string>

namespace zephyra {

class Attractor;

// What the engine and the document tell the main window. The window implements it; tests record it.
class StatusServices {
public:
    virtual ~StatusServices() = default;
    // Sets the text of status pane 0..4 and repaints it at once (also during a long run).
    virtual void ShowStatus(int pane, const std::string& text) = 0;
    // Puts the attractor's code into the code box and marks the character at its `position`.
    virtual void ShowCode(const Attractor& attractor) = 0;
};

// What a long computation needs while it runs on the user-interface thread.
class RunServices {
public:
    virtual ~RunServices() = default;
    // Busy cursor on and off. Calls come in balanced pairs and may nest (a search holds the cursor
    // across its tries, each try holds it again); the cursor is busy while any pair is open.
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    // True when Escape is down now or was pressed since the previous poll. Called once per
    // iteration of a run, so it must stay cheap.
    [[nodiscard]] virtual bool EscapePressed() = 0;
};

// Holds the busy cursor for a scope.
class BusyCursor {
public:
    explicit BusyCursor(RunServices& run) : run_(run) { run_.BeginBusy(); }
    ~BusyCursor() { run_.EndBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    RunServices& run_;
};

} // namespace zephyra
