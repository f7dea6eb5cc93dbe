// The ranks of an MPI job as this program uses them: collective steps that
// every rank takes together, in the same order, with rank 0 as the one that
// speaks for the job.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace orv {

class Ranks {
  public:
    // Starts MPI; ends it when destroyed.
    Ranks();
    ~Ranks();
    Ranks(const Ranks&) = delete;
    Ranks& operator=(const Ranks&) = delete;

    int rank() const { return rank_; }
    int size() const { return size_; }
    bool root() const { return rank_ == 0; }

    // Every rank's outcome, 0 or an exit code, with the messages that tell
    // why (rank 0 writes its own to err directly). Rank 0 writes the other
    // failing ranks' messages to err, each line naming the rank and its
    // machine. Returns on every rank the code of the first rank that failed,
    // or 0.
    int Agree(int code, const std::string& messages, std::ostream& err) const;

    // Rank 0's text, on every rank.
    void Share(std::string& text) const;

    // Adds every rank's values into rank 0's, a part at a time so that no
    // rank needs a second buffer of the full size. The other ranks' values
    // are spent: they hold parts of the sums afterwards.
    void SumToRoot(std::uint32_t* values, std::size_t count) const;
    void SumToRoot(std::uint64_t* values, std::size_t count) const;

    // On rank 0, every rank's values one rank after the other; empty on the
    // others.
    std::vector<double> GatherToRoot(const std::vector<double>& mine) const;

  private:
    int rank_ = 0;
    int size_ = 1;
};

} // namespace orv
