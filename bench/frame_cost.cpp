// Frame cost: CPU milliseconds per Render on this machine's OpenGL (Mesa
// llvmpipe under Xvfb), beside a bare replay of the same frames (the program's
// own drawing over captured values), and the CPU time of its per-frame logic.
// Prints figures only. Usage: frame_cost [FRAMES] [SNAPSHOT_DIR]
#include "frame_cost_replay.h"

#include <GL/glx.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "platform/x11/gl/frame_rate.h"
#include "scene/testing.h"
#include "tests/helpers/glx_window.h"

namespace {

double CpuMilliseconds() {
    timespec now = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);  // all threads, llvmpipe's included
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double WallMilliseconds() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Keeps the wedge count fixed: no transition, the given entry current.
void HoldConfig(Scene* scene, int entry) {
    scenetest::ResetTransition();
    scene->SelectConfig(entry, false);
}

std::vector<unsigned char> ReadFrame(int width, int height) {
    std::vector<unsigned char> pixels(size_t(width) * height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void SavePpm(const std::string& path, const std::vector<unsigned char>& pixels, int width, int height) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    std::fprintf(file, "P6 %d %d 255\n", width, height);
    for (int row = height - 1; row >= 0; --row) std::fwrite(&pixels[size_t(row) * width * 3], 3, size_t(width), file);
    std::fclose(file);
}

struct Cost {
    double renderCpu = 0, renderWall = 0, replayCpu = 0, replayWall = 0, logicCpu = 0, fpsCpu = 0;
    int differingPixels = 0;
};

// Renders `frames` frames, capturing each one (untimed) for the replay.
double RenderFrames(Scene* scene, int entry, std::vector<FrameSnapshot>* captured, double* wall) {
    double cpu = 0;
    for (FrameSnapshot& frame : *captured) {
        const double cpuStart = CpuMilliseconds(), wallStart = WallMilliseconds();
        HoldConfig(scene, entry);
        scene->Render(0x10000);
        glFinish();
        cpu += CpuMilliseconds() - cpuStart;
        *wall += WallMilliseconds() - wallStart;
        CaptureFrame(*scene, scene->FrameConfig(), &frame);
    }
    return cpu;
}

double ReplayFrames(Scene* scene, const std::vector<FrameSnapshot>& captured, double* wall) {
    const double cpu = CpuMilliseconds(), start = WallMilliseconds();
    for (const FrameSnapshot& frame : captured) {
        ReplayFrame(scene, frame);
        glFinish();
    }
    *wall += WallMilliseconds() - start;
    return CpuMilliseconds() - cpu;
}

// Each round renders frames and then replays exactly those frames; each
// side's figure is its quietest round, as other load on the shared machine
// only ever adds time.
void TimeFrames(Scene* scene, int entry, int frames, Cost* cost) {
    const int rounds = 8, perRound = frames / rounds > 0 ? frames / rounds : 1;
    std::vector<FrameSnapshot> captured(perRound);
    cost->renderCpu = cost->replayCpu = cost->renderWall = cost->replayWall = 1e300;
    for (int round = 0; round < rounds; ++round) {
        double renderWall = 0, replayWall = 0;
        const double renderCpu = RenderFrames(scene, entry, &captured, &renderWall);
        const double replayCpu = ReplayFrames(scene, captured, &replayWall);
        cost->renderCpu = std::min(cost->renderCpu, renderCpu / perRound);
        cost->replayCpu = std::min(cost->replayCpu, replayCpu / perRound);
        cost->renderWall = std::min(cost->renderWall, renderWall / perRound);
        cost->replayWall = std::min(cost->replayWall, replayWall / perRound);
    }
}

// The program's own work in a frame without drawing: clock, sprite updates
// with their rebirths and drift, the frame's wedge configuration.
double LogicMilliseconds(Scene* scene, int entry) {
    const int iterations = 20000;
    const double start = CpuMilliseconds();
    for (int i = 0; i < iterations; ++i) {
        HoldConfig(scene, entry);
        scene->Update();
        scene->FrameConfig();
    }
    return (CpuMilliseconds() - start) / iterations;
}

// What --fps adds to a frame: its label, drawn over the picture as SwapBuffers
// draws it before the swap.
double FrameRateMilliseconds() {
    const int iterations = 400;
    standin::ShowFrameRate();
    glFinish();
    const double start = CpuMilliseconds();
    for (int i = 0; i < iterations; ++i) {
        standin::DrawFrameRate();
        glFinish();
    }
    return (CpuMilliseconds() - start) / iterations;
}

Cost Measure(int width, int height, int entry, int frames, const std::string& snapshotDir) {
    Cost cost;
    scenetest::ResetClock();
    Scene scene;
    scene.SetUp(width, height);
    for (int i = 0; i < 10; ++i) {
        HoldConfig(&scene, entry);
        scene.Render(0x10000);
    }
    glFinish();
    const std::vector<unsigned char> rendered = ReadFrame(width, height);
    FrameSnapshot frame;
    CaptureFrame(scene, scene.FrameConfig(), &frame);
    ReplayFrame(&scene, frame);
    const std::vector<unsigned char> replayed = ReadFrame(width, height);
    for (size_t i = 0; i < rendered.size(); i += 3) {
        if (rendered[i] != replayed[i] || rendered[i + 1] != replayed[i + 1] || rendered[i + 2] != replayed[i + 2]) {
            ++cost.differingPixels;
        }
    }
    if (!snapshotDir.empty()) {
        SavePpm(snapshotDir + "/frame_" + std::to_string(width) + "x" + std::to_string(height) + "_" +
                    std::to_string(scene.configs[entry].segmentCount) + ".ppm",
                rendered, width, height);
    }
    TimeFrames(&scene, entry, frames, &cost);
    cost.logicCpu = LogicMilliseconds(&scene, entry);
    cost.fpsCpu = FrameRateMilliseconds();
    scene.TearDown();
    return cost;
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 40;
    const std::string snapshotDir = argc > 2 ? argv[2] : "";
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "frame_cost: no display\n");
        return 1;
    }
    std::printf("frame cost, mirrored wedges, %d frames each in 8 rounds, each round rendered and then replayed;\n"
                "ms per frame in the quietest round "
                "(CPU time of all threads, llvmpipe's included);\n"
                "logic: clock, sprites, drift, wedges without GL; diff px: replay against Render;\n"
                "--fps: the frame-rate label drawn over the frame\n",
                frames);
    std::printf("%-10s %6s %10s %10s %10s %10s %7s %9s %9s %8s %8s\n", "size", "wedges", "render", "replay",
                "render", "replay", "ratio", "logic", "logic", "replay", "--fps");
    std::printf("%-10s %6s %10s %10s %10s %10s %7s %9s %9s %8s %8s\n", "", "", "cpu ms", "cpu ms", "wall ms",
                "wall ms", "", "cpu ms", "share", "diff px", "cpu ms");
    const int sizes[][2] = {{1920, 1080}, {3840, 2160}};
    for (const auto& size : sizes) {
        if (size[0] > DisplayWidth(display, DefaultScreen(display)) ||
            size[1] > DisplayHeight(display, DefaultScreen(display))) {
            std::printf("%dx%d: skipped, the screen is smaller\n", size[0], size[1]);
            continue;
        }
        GlxWindow window(size[0], size[1]);
        if (!window.Ready()) {
            std::fprintf(stderr, "frame_cost: no GLX context\n");
            return 1;
        }
        for (int entry : {0, 7}) {
            const Cost cost = Measure(size[0], size[1], entry, frames, snapshotDir);
            std::printf("%4dx%-5d %6d %10.2f %10.2f %10.2f %10.2f %7.3f %9.5f %8.4f%% %8d %8.3f\n", size[0],
                        size[1], 10 + 2 * entry, cost.renderCpu, cost.replayCpu, cost.renderWall, cost.replayWall,
                        cost.renderCpu / cost.replayCpu, cost.logicCpu, 100.0 * cost.logicCpu / cost.renderCpu,
                        cost.differingPixels, cost.fpsCpu);
            std::fflush(stdout);
        }
    }
    XCloseDisplay(display);
    return 0;
}
