#include "ranks.h"
#include "sparse_part.h"

#include <mpi.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <sstream>
#include <thread>

namespace orv {

namespace {

constexpr int kMessageTag = 1;

constexpr int kPartTag = 2;

// Values summed in one round: 16 MiB of 32-bit counts, small enough that
// the launcher's buffers stay modest, large enough that each part is worth
// its round trips.
constexpr std::size_t kPart = std::size_t{1} << 22;

// The levels of the tree MPI_Reduce sums a part up: the parts that reach
// rank 0, one after the other, at its end.
int TreeLevels(int size) {
    int levels = 0;
    while ((1 << levels) < size) {
        ++levels;
    }
    return levels;
}

// Sums every rank's values into rank 0's, a part at a time. Each part goes
// the cheaper way for rank 0, which takes in every byte: packed without its
// zeros from each other rank in turn, or whole up MPI_Reduce's tree. Every
// rank knows every rank's lit values, so all choose the same way.
template <typename Value>
void Sum(int rank, int size, Value* values, std::size_t count, MPI_Datatype type) {
    std::vector<unsigned long long> lit(static_cast<std::size_t>(size));
    std::vector<unsigned char> packed;
    for (std::size_t first = 0; first < count; first += kPart) {
        const std::size_t part = std::min(kPart, count - first);
        Value* at = values + first;
        const unsigned long long mine = LitValues(at, part);
        MPI_Allgather(&mine, 1, MPI_UNSIGNED_LONG_LONG, lit.data(), 1, MPI_UNSIGNED_LONG_LONG,
                      MPI_COMM_WORLD);
        std::size_t sparse = 0;
        for (int r = 1; r < size; ++r) {
            sparse += PackedBytes(part, lit[static_cast<std::size_t>(r)], sizeof(Value));
        }
        if (sparse >= part * sizeof(Value) * static_cast<std::size_t>(TreeLevels(size))) {
            MPI_Reduce(rank == 0 ? MPI_IN_PLACE : at, at, static_cast<int>(part), type, MPI_SUM, 0,
                       MPI_COMM_WORLD);
            continue;
        }
        if (rank != 0) {
            PackPart(at, part, packed);
            MPI_Send(packed.data(), static_cast<int>(packed.size()), MPI_BYTE, 0, kPartTag,
                     MPI_COMM_WORLD);
            continue;
        }
        for (int r = 1; r < size; ++r) {
            packed.resize(PackedBytes(part, lit[static_cast<std::size_t>(r)], sizeof(Value)));
            MPI_Recv(packed.data(), static_cast<int>(packed.size()), MPI_BYTE, r, kPartTag,
                     MPI_COMM_WORLD, MPI_STATUS_IGNORE);
            if (!AddPackedPart(packed.data(), packed.size(), at, part)) {
                MPI_Abort(MPI_COMM_WORLD, 1);
            }
        }
    }
}

// Waits until every rank has come here, looking once a millisecond: MPI's
// own waiting spins, and would take a core from the threads of a rank still
// at work on the same machine, or from rank 0 writing the file.
void Meet() {
    MPI_Request request;
    MPI_Ibarrier(MPI_COMM_WORLD, &request);
    for (int done = 0; MPI_Test(&request, &done, MPI_STATUS_IGNORE), done == 0;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::string MachineName() {
    char name[MPI_MAX_PROCESSOR_NAME] = {};
    int length = 0;
    MPI_Get_processor_name(name, &length);
    return std::string(name, static_cast<std::size_t>(std::max(0, length)));
}

// Each line of a message, with the rank and machine it came from after the
// command's name ("orvantis poster: rank 2 on node7: ...").
void WriteFrom(int rank, const std::string& machine, const std::string& messages,
               std::ostream& err) {
    std::istringstream lines(messages);
    const std::string where = "rank " + std::to_string(rank) + " on " + machine + ": ";
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(": ");
        const std::size_t at = colon == std::string::npos ? 0 : colon + 2;
        err << line.substr(0, at) << where << line.substr(at) << '\n';
    }
}

} // namespace

Ranks::Ranks() {
    // Only the thread that made the job talks to the other ranks.
    int provided = 0;
    MPI_Init_thread(nullptr, nullptr, MPI_THREAD_FUNNELED, &provided);
    MPI_Comm_rank(MPI_COMM_WORLD, &rank_);
    MPI_Comm_size(MPI_COMM_WORLD, &size_);
}

Ranks::~Ranks() {
    MPI_Finalize();
}

int Ranks::Agree(int code, const std::string& messages, std::ostream& err) const {
    Meet();
    std::vector<int> codes(root() ? static_cast<std::size_t>(size_) : 0);
    MPI_Gather(&code, 1, MPI_INT, codes.data(), 1, MPI_INT, 0, MPI_COMM_WORLD);
    int first = 0;
    if (root()) {
        first = code;
        for (int rank = 1; rank < size_; ++rank) {
            if (codes[static_cast<std::size_t>(rank)] == 0) {
                continue;
            }
            MPI_Status status;
            MPI_Probe(rank, kMessageTag, MPI_COMM_WORLD, &status);
            int length = 0;
            MPI_Get_count(&status, MPI_CHAR, &length);
            std::string received(static_cast<std::size_t>(length), '\0');
            MPI_Recv(received.data(), length, MPI_CHAR, rank, kMessageTag, MPI_COMM_WORLD,
                     MPI_STATUS_IGNORE);
            const std::size_t split = received.find('\n');
            WriteFrom(rank, received.substr(0, split),
                      split == std::string::npos ? "" : received.substr(split + 1), err);
            if (first == 0) {
                first = codes[static_cast<std::size_t>(rank)];
            }
        }
    } else if (code != 0) {
        const std::string sent = MachineName() + '\n' + messages;
        MPI_Send(sent.data(), static_cast<int>(std::min<std::size_t>(sent.size(), INT_MAX)),
                 MPI_CHAR, 0, kMessageTag, MPI_COMM_WORLD);
    }
    err.flush();
    MPI_Bcast(&first, 1, MPI_INT, 0, MPI_COMM_WORLD);
    return first;
}

void Ranks::Share(std::string& text) const {
    std::uint64_t length = text.size();
    MPI_Bcast(&length, 1, MPI_UINT64_T, 0, MPI_COMM_WORLD);
    text.resize(static_cast<std::size_t>(length));
    MPI_Bcast(text.data(), static_cast<int>(length), MPI_CHAR, 0, MPI_COMM_WORLD);
}

void Ranks::SumToRoot(std::uint32_t* values, std::size_t count) const {
    Meet();
    Sum(rank_, size_, values, count, MPI_UINT32_T);
}

void Ranks::SumToRoot(std::uint64_t* values, std::size_t count) const {
    Meet();
    Sum(rank_, size_, values, count, MPI_UINT64_T);
}

std::vector<double> Ranks::GatherToRoot(const std::vector<double>& mine) const {
    Meet();
    const int count = static_cast<int>(mine.size());
    std::vector<int> counts(root() ? static_cast<std::size_t>(size_) : 0);
    MPI_Gather(&count, 1, MPI_INT, counts.data(), 1, MPI_INT, 0, MPI_COMM_WORLD);
    std::vector<int> starts(counts.size());
    std::vector<double> all;
    if (root()) {
        long total = 0;
        for (std::size_t rank = 0; rank < counts.size(); ++rank) {
            starts[rank] = static_cast<int>(total);
            total += counts[rank];
        }
        all.resize(static_cast<std::size_t>(total));
    }
    MPI_Gatherv(mine.data(), count, MPI_DOUBLE, all.data(), counts.data(), starts.data(),
                MPI_DOUBLE, 0, MPI_COMM_WORLD);
    return all;
}

} // namespace orv
