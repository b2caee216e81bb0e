// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves handed to the queue: in order, off the caller's thread, waited for by their readers,
// and all finished when the queue goes.
#include "app/filesaveunit.h"

#include "support/testdir.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(SaveQueue, SavesInOrderOffTheFrameAndFinishesThemAllWhenItGoes) {
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    {
        TSaveQueue queue;
        for (int i = 0; i < 4; ++i)
            queue.Post({}, [&, i] {
                std::this_thread::sleep_for(5ms);
                order.push_back(i);
                threads.push_back(std::this_thread::get_id());
            });
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
    for (const std::thread::id id : threads)
        EXPECT_NE(id, std::this_thread::get_id());
}

TEST(SaveQueue, AReaderWaitsForTheSaveOfItsFileOnly) {
    TTestDir dir;
    const std::string file = (dir.Path() / "table").string();
    std::atomic<bool> release = false;
    TSaveQueue queue;
    TSaveQueue* const previous = InstallSaveQueue(&queue);
    SaveSoon({"elsewhere"}, [&release] {
        while (!release)
            std::this_thread::sleep_for(1ms);
    });
    SaveSoon({file}, [&file] { SaveFileReplacing(file, "120 Harald\n"); });
    WaitForSaveOf("unrelated");
    EXPECT_FALSE(std::filesystem::exists(file));
    release = true;
    WaitForSaveOf(file);
    EXPECT_EQ(dir.ReadFile("table"), "120 Harald\n");
    EXPECT_EQ(InstallSaveQueue(previous), &queue);
    // Without a queue a save is made at once.
    bool saved = false;
    SaveSoon({file}, [&saved] { saved = true; });
    EXPECT_TRUE(saved);
}

} // namespace
