#include "support/comparison.h"

#include <algorithm>

namespace hopwick::bench {

Summary summarise(std::vector<double> samples) {
    Summary summary;
    summary.count = samples.size();
    if (samples.empty()) {
        return summary;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    summary.median = samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    summary.minimum = samples.front();
    summary.maximum = samples.back();
    return summary;
}

std::vector<std::vector<double>> alternate(const std::vector<Measure>& sides, int warmUpRounds, int rounds) {
    std::vector<std::vector<double>> samples(sides.size());
    for (int round = -warmUpRounds; round < rounds; ++round) {
        const std::size_t first = static_cast<std::size_t>(round + warmUpRounds) % sides.size();
        for (std::size_t step = 0; step < sides.size(); ++step) {
            const std::size_t side = (first + step) % sides.size();
            const double value = sides[side]();
            if (round >= 0) {
                samples[side].push_back(value);
            }
        }
    }
    return samples;
}

} // namespace hopwick::bench
