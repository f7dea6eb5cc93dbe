// How the module's failures reach Python: the messages are the command
// line's, the exception says what kind of failure it was.
#pragma once

#include <string>

namespace orv::python {

// Raises ValueError(message).
[[noreturn]] void RaiseValueError(const std::string& message);

// Raises OSError(error, message): FileNotFoundError, PermissionError, ...
// as the system's error number says; OSError(message) for error 0.
[[noreturn]] void RaiseOSError(int error, const std::string& message);

// Raises MemoryError(message).
[[noreturn]] void RaiseMemoryError(const std::string& message);

// Raises TypeError(message).
[[noreturn]] void RaiseTypeError(const std::string& message);

// A message of the studio without the prefix of a warning.
std::string Plain(const std::string& message);

// Issues message as a UserWarning; raises when the warnings filter makes it an error.
void Warn(const std::string& message);

} // namespace orv::python
