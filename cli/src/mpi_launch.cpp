#include "mpi_job.h"

#include <algorithm>
#include <cstdlib>

namespace orv {

int LaunchedRanks() {
    // Open MPI's mpirun, then the process managers of Slurm and MPICH.
    for (const char* name : {"OMPI_COMM_WORLD_SIZE", "PMI_SIZE", "PMIX_SIZE"}) {
        if (const char* value = std::getenv(name)) {
            return std::max(1, std::atoi(value));
        }
    }
    return std::getenv("PMIX_RANK") != nullptr ? 1 : 0;
}

} // namespace orv
