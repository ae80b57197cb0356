#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// A run-time failure of the original toolkit: overflow, index out of range, type mismatch, a
// control that fails. Caught only where the program says failures are caught; everywhere else
// it unwinds to the outermost dispatch, which drops the event that raised it.
class RuntimeFailure : public std::runtime_error {
public:
    enum class Kind { Overflow, IndexOutOfRange, TypeMismatch, InvalidArgument, ControlFailed };

    RuntimeFailure(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// Ending the program leaves at once from any depth without running unload handlers. It is
// deliberately not a std::exception, so no failure handler can swallow it by accident; only the
// outermost dispatch (or a test) catches it.
struct ProgramEnd {
    int exitCode = 0;
};

[[noreturn]] inline void endProgram(int exitCode = 0) { throw ProgramEnd{exitCode}; }

// Runs one step of a procedure that goes on after a failing step (the original's "resume next"
// handling): a run-time failure of the step is dropped; the end of the program passes.
template <typename Step>
void skipFailure(Step&& step) {
    try {
        step();
    } catch (const RuntimeFailure&) {
    }
}

[[noreturn]] inline void fail(RuntimeFailure::Kind kind, const std::string& what) {
    throw RuntimeFailure(kind, what);
}

}  // namespace platform
