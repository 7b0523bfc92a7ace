#pragma once

#include <algorithm>
#include <vector>

namespace bench {

// Repeated measurements of one figure.
class Samples
{
public:
    void add(double value) { m_values.push_back(value); }
    bool empty() const { return m_values.empty(); }
    std::size_t size() const { return m_values.size(); }

    double median() const
    {
        if (m_values.empty())
            return 0;
        std::vector<double> sorted = m_values;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t mid = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
    }
    double best() const { return m_values.empty() ? 0 : *std::min_element(m_values.begin(), m_values.end()); }
    double worst() const
    {
        return m_values.empty() ? 0 : *std::max_element(m_values.begin(), m_values.end());
    }

private:
    std::vector<double> m_values;
};

} // namespace bench
