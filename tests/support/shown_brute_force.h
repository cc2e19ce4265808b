// A counter of the solutions of a puzzle as the player sees it, sharing nothing with the solver:
// it takes the first endpoint not yet linked, walks every route of its length from it, and links
// it to any endpoint of the same length the route ends beside; then the next endpoint. A complete
// set of lines that leaves no cell empty is one solution.
#pragma once

#include "engine/board.h"

#include <cstdint>
#include <vector>

namespace kelvaro {

class ShownBruteForce {
  public:
    explicit ShownBruteForce(const Board& puzzle) : n_(boardSide(puzzle)), cells_(layerCells, 0) {
        for (int x = 0; x < n_; ++x)
            for (int y = 0; y < n_; ++y) {
                const int i = x * storageSide + y;
                if (puzzle.solution[i] <= 0) continue;
                ends_.push_back({x, y, puzzle.solutionLength[i]});
                cells_[i] = endpointMark + static_cast<int>(ends_.size()) - 1;
            }
        linked_.assign(ends_.size(), false);
    }

    // Solutions found, stopping once `limit` are known.
    int count(int limit) {
        limit_ = limit;
        found_ = 0;
        linkNext();
        return found_;
    }

  private:
    static constexpr int endpointMark = 1000;
    struct End {
        int x, y, length;
    };

    void linkNext() {
        if (found_ >= limit_) return;
        std::size_t e = 0;
        while (e < ends_.size() && linked_[e]) ++e;
        if (e == ends_.size()) {
            for (int x = 0; x < n_; ++x)
                for (int y = 0; y < n_; ++y)
                    if (cells_[x * storageSide + y] == 0) return;
            ++found_;
            return;
        }
        linked_[e] = true;
        walk(e, ends_[e].x, ends_[e].y, 0);
        linked_[e] = false;
    }

    void walk(std::size_t e, int x, int y, int laid) {
        static constexpr int dx[4] = {0, 1, 0, -1};
        static constexpr int dy[4] = {-1, 0, 1, 0};
        for (int d = 0; d < 4 && found_ < limit_; ++d) {
            const int nx = x + dx[d], ny = y + dy[d];
            if (nx < 0 || ny < 0 || nx >= n_ || ny >= n_) continue;
            const int v = cells_[nx * storageSide + ny];
            if (v >= endpointMark) {
                const auto f = static_cast<std::size_t>(v - endpointMark);
                if (linked_[f] || laid == 0 || laid != ends_[e].length ||
                    ends_[f].length != ends_[e].length)
                    continue;
                linked_[f] = true;
                linkNext();
                linked_[f] = false;
                continue;
            }
            if (v != 0 || laid == ends_[e].length) continue;
            cells_[nx * storageSide + ny] = 1;
            walk(e, nx, ny, laid + 1);
            cells_[nx * storageSide + ny] = 0;
        }
    }

    int n_;
    std::vector<int> cells_;
    std::vector<End> ends_;
    std::vector<bool> linked_;
    int limit_ = 0;
    int found_ = 0;
};

} // namespace kelvaro
