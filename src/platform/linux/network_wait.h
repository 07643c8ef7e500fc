#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>

// A call on a network file system whose server has gone can wait for minutes
// (for ever on a hard NFS mount). Such calls run on a thread of their own and
// are given up after a while; the thread finishes alone whenever the system
// lets it, and its result is dropped.

inline constexpr std::chrono::seconds kNetworkAnswerTime{5};

// Whether a native absolute path lies on a network file system, by the mounts
// the system lists (a link into such a file system is not seen through).
bool OnNetworkFileSystem(const std::string& nativePath);

// The result of work, or nothing when it did not return within limit.
template <typename T>
std::optional<T> WithinTimeLimit(std::chrono::milliseconds limit, std::function<T()> work)
{
    auto task = std::make_shared<std::packaged_task<T()>>(std::move(work));
    std::future<T> result = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    if (result.wait_for(limit) != std::future_status::ready)
        return std::nullopt;
    return result.get();
}

// work() on a local path; on a network file system within kNetworkAnswerTime,
// else timedOut.
template <typename T>
T AnsweredInTime(const std::string& nativePath, std::function<T()> work, T timedOut)
{
    if (!OnNetworkFileSystem(nativePath))
        return work();
    return WithinTimeLimit<T>(kNetworkAnswerTime, std::move(work)).value_or(std::move(timedOut));
}
