// Start-up cost of the textures: decode and upload of the three embedded
// images on a GLX context (median of many runs), beside libjpeg-turbo's djpeg
// decoding the same three files, and the peak heap the decoders use.
// Prints figures only. Usage: startup_bench IMAGE_DIR [RUNS]
// (a measuring tool like the tests, so it draws in their GLX window).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "assets/JpegDecode.h"
#include "assets/TextureLoader.h"
#include "heap_counter.h"
#include "tests/helpers/glx_window.h"

extern char** environ;

namespace {

const char* const imageFiles[] = {"fruit_rgb.jpg", "fruit_mask.jpg", "logo_mask.jpg"};

double MedianMilliseconds(int runs, const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void DecodeAll() {
    TextureImage atlas = {}, logo = {};
    if (!DecodeMaskedTexture(&atlas, "JPEG_FRUIT_RGB", "JPEG_FRUIT_MASK") || !DecodeTexture(&logo, "LOGO_MASK")) {
        std::fprintf(stderr, "startup_bench: the embedded images do not decode\n");
        std::exit(1);
    }
    std::free(atlas.pixels);
    std::free(logo.pixels);
}

void LoadAll() {
    TextureImage images[2] = {};
    LoadMaskedTexture(&images[0], "JPEG_FRUIT_RGB", "JPEG_FRUIT_MASK");
    LoadTexture(&images[1], "LOGO_MASK");
    glFinish();
    glDeleteTextures(1, &images[0].textureName);
    glDeleteTextures(1, &images[1].textureName);
}

// Runs djpeg on `file` with its output thrown away; false when it fails.
bool RunDjpeg(const std::string& file, bool versionOnly) {
    std::vector<std::string> words = {"djpeg"};
    if (versionOnly) {
        words.push_back("-version");
    } else {
        words.insert(words.end(), {"-outfile", "/dev/null", file});
    }
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(&word[0]);
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, "djpeg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void ReportHeap() {
    DecodeAll();  // warm up: the library's one-time allocations are not the loader's
    TextureImage atlas = {}, logo = {};
    heap::StartCounting();
    DecodeMaskedTexture(&atlas, "JPEG_FRUIT_RGB", "JPEG_FRUIT_MASK");
    heap::StopCounting();
    long long atlasPeak = heap::PeakBytes(), atlasAllocations = heap::Allocations();
    heap::StartCounting();
    DecodeTexture(&logo, "LOGO_MASK");
    heap::StopCounting();
    long long logoPeak = heap::PeakBytes();
    std::free(atlas.pixels);
    std::free(logo.pixels);
    const long long pixelBuffer = 1024LL * 512 * 4;
    std::printf("startup: peak heap while decoding the atlas: %lld bytes (%lld allocations) = 2 MiB pixel buffer + "
                "%.1f KiB for the decoder and its row buffer\n",
                atlasPeak, atlasAllocations, double(atlasPeak - pixelBuffer) / 1024.0);
    std::printf("startup: peak heap while decoding the logo: %lld bytes (16 KiB pixel buffer + %.1f KiB)\n", logoPeak,
                double(logoPeak - 512 * 32) / 1024.0);
}

void ReportDjpeg(const std::string& imageDir, int runs, double loader) {
    std::vector<std::string> files;
    for (const char* name : imageFiles) files.push_back(imageDir + "/" + name);
    if (!RunDjpeg(files[0], false)) {
        std::printf("startup: djpeg did not run (package libjpeg-turbo-progs); no comparison\n");
        return;
    }
    double djpeg = MedianMilliseconds(runs, [&] {
        for (const std::string& file : files) RunDjpeg(file, false);
    });
    double start = MedianMilliseconds(runs, [] {
        for (int i = 0; i < 3; ++i) RunDjpeg("", true);
    });
    std::printf("startup: djpeg on the same three files (three processes): %.2f ms, of which process start %.2f ms\n",
                djpeg, start);
    std::printf("startup: ratio loader / djpeg: %.2f; loader / djpeg without process start: %.2f\n", loader / djpeg,
                loader / std::max(djpeg - start, 1e-3));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s IMAGE_DIR [RUNS]\n", argv[0]);
        return 2;
    }
    int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 51;
    ReportHeap();
    GlxWindow gl(64, 64);
    if (!gl.Ready()) {
        std::fprintf(stderr, "startup_bench: no GLX context (is DISPLAY set?)\n");
        return 1;
    }
    LoadAll();  // warm up the driver
    double loader = MedianMilliseconds(runs, LoadAll);
    double decode = MedianMilliseconds(runs, DecodeAll);
    std::printf("startup: decode + upload of the three images: %.2f ms (median of %d runs; decode alone %.2f ms)\n",
                loader, runs, decode);
    ReportDjpeg(argv[1], runs, loader);
    return 0;
}
