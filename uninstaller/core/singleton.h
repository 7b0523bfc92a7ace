#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <atomic>

namespace Base {

// One object of T per process, made on first use and kept until the process
// ends. The pointer is tested before and after taking the mutex, so the
// common path takes no lock.
template <typename T> class CSingleton
{
public:
    static T* instance()
    {
        T* object = s_pInstance.load(std::memory_order_acquire);
        if (!object) {
            QMutexLocker lock(&s_mutex);
            object = s_pInstance.load(std::memory_order_relaxed);
            if (!object) {
                object = new T;
                s_pInstance.store(object, std::memory_order_release);
            }
        }
        return object;
    }

    CSingleton() = delete;

private:
    static inline std::atomic<T*> s_pInstance{nullptr};
    static inline QMutex s_mutex;
};

} // namespace Base
