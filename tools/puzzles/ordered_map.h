// One parallel map for every command of the tool that has many puzzles to work on: items are
// made in order on the calling thread, worked on by several threads, and handed back in the
// order they were made, so that what a command writes is the same whatever the number of threads.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace kelvaro::puzzles {

// Items waiting or being worked on, per thread: enough to keep every thread busy while one
// item takes a hundred times longer than the others, few enough that a stream stopped early
// throws little work away.
constexpr std::size_t itemsInFlightPerJob = 64;

// The --jobs limit: far more threads than any machine has cores only costs memory.
constexpr int maxJobs = 1024;

// The number of threads --jobs means when it is not given: one per core.
inline int allCores() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores > maxJobs ? maxJobs : static_cast<int>(cores);
}

// Calls produce(item) on the calling thread until it returns false, compute(item) on `jobs`
// threads, and write(item, result) on the calling thread in the order the items were produced,
// until write returns false; production then stops and the items not yet written are dropped.
// compute may touch nothing but its own item, so that the threads share no state; with `jobs`
// 1 every call happens on the calling thread, item after item.
template <typename Item, typename Result, typename Produce, typename Compute, typename Write>
void mapInOrder(int jobs, Produce&& produce, Compute&& compute, Write&& write) {
    if (jobs <= 1) {
        for (Item item; produce(item); item = Item{}) {
            Result result = compute(item);
            if (!write(item, result)) return;
        }
        return;
    }

    struct Slot {
        Item item;
        std::optional<Result> result;
    };
    std::mutex lock;
    std::condition_variable workWaiting;
    std::condition_variable resultReady;
    // Slots stay where they are while others are added at the back or taken from the front, so
    // a thread may work on its slot without the lock.
    std::deque<Slot> slots;
    std::size_t frontNumber = 0; // the number of the item in slots.front()
    std::size_t nextToCompute = 0;
    bool stopping = false;

    const auto work = [&] {
        std::unique_lock<std::mutex> held(lock);
        for (;;) {
            workWaiting.wait(
                held, [&] { return stopping || nextToCompute < frontNumber + slots.size(); });
            if (stopping) return;
            Slot& slot = slots[nextToCompute - frontNumber];
            ++nextToCompute;
            held.unlock();
            Result result = compute(slot.item);
            held.lock();
            slot.result = std::move(result);
            resultReady.notify_one();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(jobs));
    for (int i = 0; i < jobs; ++i) threads.emplace_back(work);

    const std::size_t capacity = static_cast<std::size_t>(jobs) * itemsInFlightPerJob;
    bool producing = true;
    for (;;) {
        std::unique_lock<std::mutex> held(lock);
        if (producing && slots.size() < capacity) {
            held.unlock();
            Item item;
            producing = produce(item);
            if (producing) {
                held.lock();
                slots.push_back(Slot{std::move(item), std::nullopt});
                workWaiting.notify_one();
            }
            // Between two items made, whatever is ready at the front is written.
            if (!held.owns_lock()) held.lock();
            if (slots.empty() || !slots.front().result) continue;
        }
        if (slots.empty()) break;
        resultReady.wait(held, [&] { return slots.front().result.has_value(); });
        Slot slot = std::move(slots.front());
        slots.pop_front();
        ++frontNumber;
        held.unlock();
        if (!write(slot.item, *slot.result)) break;
    }
    {
        const std::lock_guard<std::mutex> held(lock);
        stopping = true;
    }
    workWaiting.notify_all();
    for (std::thread& thread : threads) thread.join();
}

} // namespace kelvaro::puzzles
