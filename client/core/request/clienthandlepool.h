#pragma once

#include <QMutex>
#include <QVector>

#include <atomic>

namespace gearmart {

// HTTP client handles for the request pool. A task borrows one for its
// set-body-and-exchange pair, so two tasks never interleave on one handle,
// and gives it back for the next, which keeps the connection alive.
class ClientHandlePool
{
public:
    // Takes ownership of a handle made by the caller (-1 when none could be).
    explicit ClientHandlePool(int firstHandle);
    ~ClientHandlePool();
    ClientHandlePool(const ClientHandlePool&) = delete;
    ClientHandlePool& operator=(const ClientHandlePool&) = delete;

    bool valid() const { return m_valid; }
    // An idle handle, or a new one; -1 when none can be had.
    int borrow();
    void giveBack(int handle);
    // Tells waiting requests to give up: the client is going away.
    void shutDown() { m_shuttingDown = true; }
    bool isShuttingDown() const { return m_shuttingDown; }

private:
    QMutex m_mutex;
    QVector<int> m_idle;
    QVector<int> m_all;
    bool m_valid;
    std::atomic<bool> m_shuttingDown{false};
};

} // namespace gearmart
