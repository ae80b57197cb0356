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

[[noreturn]] inline void fail(RuntimeFailure::Kind kind, const std::string& what) {
    throw RuntimeFailure(kind, what);
}

}  // namespace platform
