// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/failureunit.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Loads "fileName" by throwing error from inside, noting the file on the way out.
template <typename Error>
std::exception_ptr FailWhileReading(const std::string& fileName, const Error& error) {
    try {
        try {
            throw error;
        } catch (...) {
            NoteFailingFile(fileName);
            throw;
        }
    } catch (...) {
        return std::current_exception();
    }
}

TEST(Failure, NamesTheFileTheErrorCameFromAndKeepsItsMessage) {
    auto error = FailWhileReading("media/ram.model", std::runtime_error("End stream"));
    EXPECT_EQ(DescribeFailure(error), "media/ram.model: End stream");
    EXPECT_THROW(std::rethrow_exception(error), std::runtime_error);
}

TEST(Failure, InnermostFileWinsForOneError) {
    std::exception_ptr error;
    try {
        try {
            throw std::runtime_error("bad number");
        } catch (...) {
            NoteFailingFile("media/viking_head.mesh");
            NoteFailingFile("media/viking_weapon.model");
            throw;
        }
    } catch (...) {
        error = std::current_exception();
    }
    EXPECT_EQ(DescribeFailure(error), "media/viking_head.mesh: bad number");
}

TEST(Failure, AHandledErrorsFileIsNotLentToALaterOne) {
    FailWhileReading("media/fence.model", std::runtime_error("handled"));
    auto later = std::make_exception_ptr(std::logic_error("later"));
    EXPECT_EQ(DescribeFailure(later), "later");
}

TEST(Failure, DamagedBytesQuotedInTheReasonStayOnOneLine) {
    auto error =
        FailWhileReading("media/tree1.model\n", std::runtime_error("Found:\x01\n\x1b[2J\x7f\xe9"));
    EXPECT_EQ(DescribeFailure(error), "media/tree1.model\\n: Found:\\x01\\n\\x1b[2J\\x7f\xe9");
}

TEST(Failure, ErrorsThatAreNoStdExceptionStillSaySomething) {
    EXPECT_EQ(DescribeFailure(FailWhileReading("media/sheep.model", 42)),
              "media/sheep.model: unknown error");
    EXPECT_EQ(DescribeFailure(std::make_exception_ptr(42)), "unknown error");
    EXPECT_EQ(DescribeFailure(nullptr), "unknown error");
}

} // namespace
