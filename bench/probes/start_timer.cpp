// Times two programs from the moment each is started to the first frame it reports on screen,
// in turn, A B A B ..., and prints the medians and the median of the pairs' ratios.
//   vantorix_start_timer RUNS FOLDER PROGRAM_A PROGRAM_B
// Each program runs in FOLDER and prints "first-frame MICROSECONDS" on the monotonic clock.
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <climits>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static double nowMicroseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

// Milliseconds from fork to the reported first frame; negative when the program did not report.
static double timeStart(const char* folder, const char* program) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1;
    }
    double started = nowMicroseconds();
    pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        if (chdir(folder) != 0) {
            _exit(127);
        }
        execl(program, program, (char*)NULL);
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[4096];
    ssize_t got;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        output.append(buffer, (size_t)got);
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    size_t at = output.find("first-frame ");
    if (child < 0 || at == std::string::npos) {
        std::fprintf(stderr, "start timer: %s gave no first frame\n", program);
        return -1;
    }
    return (std::atof(output.c_str() + at + 12) - started) / 1000;
}

static double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int main(int argc, char** argv) {
    if (argc != 5 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s RUNS FOLDER PROGRAM_A PROGRAM_B\n", argv[0]);
        return 2;
    }
    int runs = std::atoi(argv[1]);
    // The programs start in FOLDER: their names must not depend on where the timer started.
    char programA[PATH_MAX], programB[PATH_MAX];
    if (realpath(argv[3], programA) == nullptr || realpath(argv[4], programB) == nullptr) {
        std::fprintf(stderr, "start timer: cannot find %s or %s\n", argv[3], argv[4]);
        return 2;
    }
    std::vector<double> a, b, ratio;
    // One start of each first, for the file cache and the shader cache; not counted.
    timeStart(argv[2], programA);
    timeStart(argv[2], programB);
    for (int i = 0; i < runs; i++) {
        double ta = timeStart(argv[2], programA);
        double tb = timeStart(argv[2], programB);
        if (ta < 0 || tb < 0) {
            return 1;
        }
        a.push_back(ta);
        b.push_back(tb);
        ratio.push_back(ta / tb);
    }
    std::printf("runs %d\nstart_a_median_ms %.1f\nstart_b_median_ms %.1f\nstart_ratio_median %.3f\n",
                runs, median(a), median(b), median(ratio));
    std::printf("start_a_min_ms %.1f\nstart_a_max_ms %.1f\nstart_b_min_ms %.1f\nstart_b_max_ms %.1f\n",
                *std::min_element(a.begin(), a.end()), *std::max_element(a.begin(), a.end()),
                *std::min_element(b.begin(), b.end()), *std::max_element(b.begin(), b.end()));
    return 0;
}
