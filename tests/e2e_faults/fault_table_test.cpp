// The data-fault table: every data file in turn missing, empty, cut in half or random bytes, against the real game.
#include <gtest/gtest.h>

#include <atomic>
#include <ostream>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e_faults/data_faults.h"
#include "tests/e2e_faults/short_fight.h"
#include "tests/support/contract.h"
#include "tests/support/data_dir.h"
#include "tests/support/program.h"

// Games run side by side, each on its own X server. Most of a run is waiting for windows and
// for the short fight, so four at a time keep two cores busy without starving any of them.
static const int GAMES_AT_ONCE = 4;

struct TableRow {
    FileGroup group;
    FaultKind kind;
};

// How CTest lists a row.
static void PrintTo(const TableRow& row, std::ostream* out) {
    *out << fileGroupName(row.group) << " " << faultKindName(row.kind);
}

static RunOutcome runOneCase(const std::string& file, FaultKind kind) {
    DataCopy data;
    applyFault(data, file, kind);
    return runAndPlay(data.path());
}

static std::vector<RunOutcome> runAll(const std::vector<std::string>& files, FaultKind kind) {
    std::vector<RunOutcome> outcomes(files.size());
    std::atomic<size_t> next(0);
    std::vector<std::thread> workers;
    for (int w = 0; w < GAMES_AT_ONCE; w++) {
        workers.emplace_back([&]() {
            for (size_t i = next++; i < files.size(); i = next++) {
                outcomes[i] = runOneCase(files[i], kind);
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    return outcomes;
}

// A truncated "music.ogg" still opens: its header is intact and the music that is left plays
// in a loop, which is what a player would want rather than no game at all.
static bool gameShouldRefuse(const TableRow& row) {
    if (row.group == GROUP_MOTION) {
        return true;
    }
    return row.group == GROUP_MUSIC && row.kind != FAULT_HALF;
}

static void expectRefusal(const TableRow& row, const std::string& file, const RunOutcome& run) {
    EXPECT_EQ(run.exitStatus, 1) << run.output << run.errors;
    EXPECT_FALSE(run.windowsAppeared);
    if (row.group == GROUP_MOTION) {
        EXPECT_EQ(occurrences(run.errors, unusableMotionFile(file)), 1) << run.errors;
    } else {
        EXPECT_EQ(occurrences(run.output, OGG_LOAD_FAILURE), 1) << run.output;
        EXPECT_NE(run.errors.find("\"music.ogg\""), std::string::npos) << run.errors;
    }
}

static void expectPlay(const TableRow& row, const std::string& file, const RunOutcome& run) {
    EXPECT_TRUE(run.windowsAppeared) << run.errors;
    EXPECT_TRUE(run.aliveAfterPlay) << run.errors;
    EXPECT_EQ(run.exitStatus, 0) << run.errors;
    EXPECT_EQ(occurrences(run.output, QUIT_LINE), 1) << run.output;
    if (row.group == GROUP_TEXTURE) {
        EXPECT_EQ(occurrences(run.errors, unloadablePicture(file)), 1) << run.errors;
    } else if (row.group == GROUP_EFFECT) {
        EXPECT_EQ(occurrences(run.errors, WAV_LOAD_FAILURE), 1) << run.errors;
        EXPECT_EQ(occurrences(run.errors, "\"" + file + "\""), 1) << run.errors;
        // The fight reached a strike that wanted the missing effect, and went on without it.
        EXPECT_GE(occurrences(run.errors, WAV_PLAY_FAILURE), 1) << run.errors;
    }
}

// One line per case in the log, the rows of the table in tests/README.md: status, then what
// the game said about the damage (camera and quit lines left out).
static void printObserved(const std::string& file, FaultKind kind, const RunOutcome& run) {
    std::string said;
    std::istringstream lines(run.output + run.errors);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("camera") == std::string::npos && line + "\n" != QUIT_LINE) {
            said += (said.empty() ? "" : " | ") + line;
        }
    }
    std::printf("observed: %-16s %-7s status %d%s  %s\n", file.c_str(), faultKindName(kind),
                run.exitStatus, run.windowsAppeared ? ", played" : "", said.c_str());
}

class DataFaultTable : public ::testing::TestWithParam<TableRow> {};

TEST_P(DataFaultTable, GivesItsMessageAndEndsOrPlaysOn) {
    const TableRow& row = GetParam();
    const std::vector<std::string> files = filesOf(row.group);
    ASSERT_FALSE(files.empty()) << "no " << fileGroupName(row.group) << " in " << dataDirectory();
    std::vector<RunOutcome> outcomes = runAll(files, row.kind);
    for (size_t i = 0; i < files.size(); i++) {
        SCOPED_TRACE(files[i] + " " + faultKindName(row.kind));
        const RunOutcome& run = outcomes[i];
        printObserved(files[i], row.kind, run);
        ASSERT_TRUE(run.displayStarted) << "Xvfb did not start";
        EXPECT_NE(run.exitStatus, -1) << "the game hung\n" << run.errors;
        EXPECT_EQ(troubleReport(run.errors), "");
        if (gameShouldRefuse(row)) {
            expectRefusal(row, files[i], run);
        } else {
            expectPlay(row, files[i], run);
        }
    }
}

static std::vector<TableRow> wholeTable() {
    std::vector<TableRow> rows;
    for (FileGroup group : {GROUP_MOTION, GROUP_TEXTURE, GROUP_EFFECT, GROUP_MUSIC}) {
        for (FaultKind kind : {FAULT_MISSING, FAULT_EMPTY, FAULT_HALF, FAULT_RANDOM}) {
            rows.push_back(TableRow{group, kind});
        }
    }
    return rows;
}

static std::string rowName(const ::testing::TestParamInfo<TableRow>& info) {
    return std::string(fileGroupName(info.param.group)) + "_" + faultKindName(info.param.kind);
}

INSTANTIATE_TEST_SUITE_P(EveryFile, DataFaultTable, ::testing::ValuesIn(wholeTable()), rowName);
