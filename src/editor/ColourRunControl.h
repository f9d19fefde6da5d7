#pragma once
// What a colouring run asks of the window while it works through a long text: a chance to let
// pending window messages through (throttled by the window to its response interval), and
// whether the user has asked it to stop, by the break command or by switching colouring off.
// Covered by tests/editor/ColourRunTest.cpp.

namespace morvane::editor {

class ColourRunControl {
public:
    virtual ~ColourRunControl() = default;

    // Called once per match after the first of each rule.
    virtual void PumpMessages() = 0;
    // True when the run must stop: the abort request is set or colouring was switched off.
    // Read before every rule and after every pump.
    virtual bool AbortRequested() = 0;
};

} // namespace morvane::editor
