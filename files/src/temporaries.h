// The temporaries of the saves: their names, the handler of SIGINT and
// SIGTERM that removes those of the saves in progress, and the removal of
// those that a process ended without warning (kill -9, a crash) left behind.
#pragma once

#include <string>
#include <sys/types.h>

namespace orv {

// Installs, once per process, the handler of SIGINT and SIGTERM (where they
// still have their default action) and ignores SIGXFSZ (likewise), so that a
// write beyond the file size limit fails instead of ending the process.
void PrepareSignals();

// Records a temporary's path for the handler. Returns its slot, or -1 when
// the path cannot be recorded (then only an orderly end removes it).
int ClaimTemporary(const char* path);

// Forgets the temporary of a slot (a slot of -1 is ignored).
void ReleaseTemporary(int slot);

// A name for a temporary beside target, different at each attempt:
// ".NAME.orvantis-PID-N-T.tmp", with NAME the start of target's name, PID
// the process's id, N counting this process's temporaries and T from the
// clock.
std::string TemporaryName(const std::string& target, unsigned attempt);

// The process that made the temporary of this file name, or 0 when the name
// is not one that TemporaryName makes.
pid_t TemporaryOwner(const std::string& name);

// Removes, the first time a process saves into a folder, the temporaries in
// it whose process no longer exists.
void RemoveStaleTemporaries(const std::string& folder);

} // namespace orv
