// The temporaries of the saves in progress, known to a handler of SIGINT and
// SIGTERM that removes them before the process ends.
#pragma once

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

} // namespace orv
