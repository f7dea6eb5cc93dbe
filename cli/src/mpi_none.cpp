#include "mpi_job.h"
#include "report.h"

namespace orv {

namespace {

int Refuse(const char* command, std::ostream& err) {
    err << "orvantis " << command
        << ": this orvantis was built without MPI and cannot share its work with other "
           "processes; run it without mpirun or srun\n";
    return kExitFailure;
}

} // namespace

bool BuiltWithMpi() {
    return false;
}

bool OnRanks() {
    return LaunchedRanks() > 1;
}

int RunPosterOnRanks(const PosterOptions&, std::ostream&, std::ostream& err, bool) {
    return Refuse("poster", err);
}

int RunBatchOnRanks(const RenderOptions&, std::ostream&, std::ostream& err, bool) {
    return Refuse("render", err);
}

} // namespace orv
