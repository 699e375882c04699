#pragma once
// A meeting point for a fixed number of test threads, usable again and again.
//
// std::barrier and std::latch are not used: the MinGW build of GCC 12's library
// waits on them without a futex, and its waiter tests the value and then sleeps
// while the waker signals without taking the waiter's lock, so a wake-up that
// falls between the two is lost and the threads wait for ever. A mutex and a
// condition variable have no such gap on any system.
#include <condition_variable>
#include <cstddef>
#include <mutex>

namespace Vantor::Testing
{

class CThreadBarrier
{
public:
    explicit CThreadBarrier(std::size_t threads) : m_threads(threads) {}
    CThreadBarrier(const CThreadBarrier&) = delete;
    CThreadBarrier& operator=(const CThreadBarrier&) = delete;

    // Returns once all threads have arrived in this round.
    void arriveAndWait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const std::size_t round = m_round;
        if (++m_arrived == m_threads)
        {
            m_arrived = 0;
            ++m_round;
            m_allArrived.notify_all();
            return;
        }
        m_allArrived.wait(lock, [&] { return m_round != round; });
    }

private:
    const std::size_t m_threads;
    std::mutex m_mutex;
    std::condition_variable m_allArrived;
    std::size_t m_arrived = 0;
    std::size_t m_round = 0;
};

} // namespace Vantor::Testing
