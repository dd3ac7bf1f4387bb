#pragma once
// The years of a year-range report worked out ahead on the machine's cores
// while the calling thread writes them in order.  `compute(year)` does a
// year's astronomy and returns it as a value; `consume(year, work)` runs on
// the calling thread, in year order, writes the year's lines, shows progress
// and runs the message pump, and returns non-zero to stop (that value is
// returned at once; the workers finish the year each has in hand and are
// joined, and nothing more is written).  So the lines, the progress and Stop
// are those of a plain loop over the years; only the astronomy moves.
//
// With `parallel` false, or a range of fewer than three years, or one core,
// it is that plain loop on the calling thread.  `parallel` is for an engine
// whose work may run on several threads at once (the precise engine keeps
// its memories per thread); each worker takes runs of CHUNK consecutive
// years, so that what it keeps from one year serves the next.
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

template <class Compute, class Consume>
int for_each_year(int first, int last, bool parallel, Compute compute, Consume consume) {
    using Work = decltype(compute(first));
    auto plain_loop = [&] {
        for (int year = first; year <= last; ++year) {
            Work work = compute(year);
            if (int stopped = consume(year, work)) return stopped;
        }
        return 0;
    };
    const int workers = static_cast<int>(std::min(4u, std::thread::hardware_concurrency()));
    if (!parallel || last - first < 2 || workers < 2) return plain_loop();
    constexpr int CHUNK = 8;
    constexpr int AHEAD = 16 * CHUNK;  // years computed and not yet written, at most
    std::vector<std::optional<Work>> done(AHEAD);  // year y in slot (y - first) % AHEAD
    std::mutex mutex;
    // The writer waits on `ready` for the year it writes next, and is woken
    // only when that year comes; the workers wait on `room` for the writer to
    // move on, or to stop.
    std::condition_variable ready, room;
    int next_chunk = first;  // the first year no worker has taken
    int writing = first;     // the year the calling thread writes next
    bool stopping = false;
    auto worker = [&] {
        std::unique_lock lock(mutex);
        for (;;) {
            room.wait(lock, [&] { return stopping || next_chunk > last || next_chunk + CHUNK <= writing + AHEAD; });
            if (stopping || next_chunk > last) return;
            const int from = next_chunk, to = std::min(last, next_chunk + CHUNK - 1);
            next_chunk = to + 1;
            for (int year = from; year <= to && !stopping; ++year) {
                lock.unlock();
                Work work = compute(year);
                lock.lock();
                done[(year - first) % AHEAD].emplace(std::move(work));
                if (year == writing) ready.notify_one();
            }
        }
    };
    std::vector<std::thread> threads;
    try {
        for (int i = 0; i < workers; ++i) threads.emplace_back(worker);
    } catch (const std::system_error&) {
        // The system gives no more threads: those started do the work, or none was.
        if (threads.empty()) return plain_loop();
    }
    int stopped = 0;
    for (int year = first; year <= last && !stopped; ++year) {
        std::optional<Work>& slot = done[(year - first) % AHEAD];
        std::unique_lock lock(mutex);
        ready.wait(lock, [&] { return slot.has_value(); });
        Work work = std::move(*slot);
        slot.reset();
        writing = year + 1;
        // A waiting worker's room comes back exactly when the window reaches
        // the next chunk's end (writing grows by one, next_chunk stays while
        // the window is full): wake them then, not at every year.
        if (writing + AHEAD == next_chunk + CHUNK) room.notify_all();
        lock.unlock();
        stopped = consume(year, work);
    }
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    room.notify_all();
    for (std::thread& t : threads) t.join();
    return stopped;
}
