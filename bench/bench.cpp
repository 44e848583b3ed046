// Prints how fast Rivetbay's file-bound work is, against the plainest loop
// that does the same file-system work.
//   rivetbay-bench [--quick]

#include "car/Allocation.h"
#include "car/Recalculate.h"
#include "files/CarFile.h"
#include "files/Export.h"
#include "files/VariantListing.h"
#include "files/VcfWriter.h"
#include "ui/EditorWindow.h"
#include "ui/UiServices.h"

#include <QApplication>
#include <QComboBox>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <strings.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace rivetbay;
using Clock = std::chrono::steady_clock;

namespace {

// The median of `runs` timings, in milliseconds.
double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The floor: scan, open each match, read 15 bytes at 28, close.
std::size_t plainListing(const fs::path& dir, const char* prefix)
{
    std::size_t bytes = 0;
    DIR* d = opendir(dir.c_str());
    if (!d) return 0;
    const std::size_t n = std::strlen(prefix);
    while (dirent* e = readdir(d)) {
        const std::size_t len = std::strlen(e->d_name);
        if (len < n + 4 || strncasecmp(e->d_name, prefix, n) != 0 ||
            strcasecmp(e->d_name + len - 4, ".vcf") != 0)
            continue;
        const int fd = open((dir / e->d_name).c_str(), O_RDONLY);
        if (fd < 0) continue;
        char name[15];
        const ssize_t got = pread(fd, name, sizeof name, 28);
        bytes += got > 0 ? static_cast<std::size_t>(got) : 0;
        close(fd);
    }
    closedir(d);
    return bytes;
}

fs::path makeDirectory(int files)
{
    std::random_device rd;
    const fs::path dir = fs::temp_directory_path() / ("rivetbay-bench-" + std::to_string(rd()));
    fs::create_directories(dir);
    CarConfig c;
    c.model = 16;
    for (int i = 0; i < files; ++i) {
        c.name = "Goon " + std::to_string(i);
        (void)VcfWriter(dir / ("vgoon" + std::to_string(i + 4) + ".vcf"), c);
    }
    return dir;
}

} // namespace

int main(int argc, char** argv)
{
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    const int runs = quick ? 5 : 31;

    std::printf("| vehicle files | one action (ms) | floor (ms) | ratio |\n");
    std::printf("|---:|---:|---:|---:|\n");
    for (int files : {0, 100, 1000, 10000}) {
        const fs::path dir = makeDirectory(files);
        CarConfig car;
        car.model = 16;
        std::size_t sink = 0;
        // Warm the directory cache the same way for both.
        sink += listVariants(dir, "goon").size() + plainListing(dir, "vgoon");
        const double action = medianMs(runs, [&] {
            changeModel(car);
            sink += recalculateWithListing(car, dir).variantNames.size();
        });
        const double floor = medianMs(runs, [&] { sink += plainListing(dir, "vgoon"); });
        std::printf("| %d | %.3f | %.3f | %.2f |\n", files, action, floor,
                    floor > 0 ? action / floor : 0.0);
        fs::remove_all(dir);
        if (sink == 42) std::puts("");
    }

    // The same action in the real window: an engine change, which lists the
    // vehicle files afresh and refills the name list.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    rivetbay::SilentServices services;
    std::printf("\n| vehicle files | one action in the window (ms) | floor (ms) | ratio |\n");
    std::printf("|---:|---:|---:|---:|\n");
    for (int files : {0, 100, 1000, 10000}) {
        const fs::path dir = makeDirectory(files);
        const fs::path start = dir / "start";
        fs::create_directories(start);
        std::FILE* settings = std::fopen((start / "Rivetbay.ini").c_str(), "wb");
        std::fprintf(settings, "[Paths]\r\nVCF_Path=%s\r\n", dir.c_str());
        std::fclose(settings);
        EditorWindow editor(services);
        editor.start({start});
        auto* models = editor.findChild<QComboBox*>("modelList");
        auto* engines = editor.findChild<QComboBox*>("engineList");
        models->setCurrentIndex(16);
        std::size_t sink = plainListing(dir, "vgoon");
        int engine = 1;
        const double action = medianMs(runs, [&] {
            engine = engine == 1 ? 2 : 1;
            engines->setCurrentIndex(engine);
        });
        const double floor = medianMs(runs, [&] { sink += plainListing(dir, "vgoon"); });
        std::printf("| %d | %.3f | %.3f | %.2f |\n", files, action, floor,
                    floor > 0 ? action / floor : 0.0);
        fs::remove_all(dir);
        if (sink == 42) std::puts("");
    }

    const fs::path dir = makeDirectory(1000);
    CarConfig car;
    car.model = 16;
    car.name = "Bench";
    const fs::path file = dir / "bench.rbc";
    const double save = medianMs(runs, [&] { (void)saveCarFile(file, car); });
    const double load = medianMs(runs, [&] { (void)loadCarFile(file, car); });
    unsigned number = 0;
    const double numbering = medianMs(runs, [&] { number += nextExportNumber(dir, 16); });
    fs::remove_all(dir);

    const fs::path start = fs::temp_directory_path() / "rivetbay-bench-start";
    fs::create_directories(start);
    std::FILE* ini = std::fopen((start / "Rivetbay.ini").c_str(), "wb");
    std::fputs("[Paths]\r\nVCF_Path=.\r\n", ini);
    std::fclose(ini);
    const auto appStart = Clock::now();
    EditorWindow editor(services);
    editor.start({start});
    editor.show();
    QApplication::processEvents();
    const double shown = std::chrono::duration<double, std::milli>(Clock::now() - appStart).count();
    fs::remove_all(start);

    std::printf("\n| operation | time (ms) |\n|---|---:|\n");
    std::printf("| save a car file | %.3f |\n", save);
    std::printf("| load a car file | %.3f |\n", load);
    std::printf("| export numbering, 1,000 files | %.3f |\n", numbering);
    std::printf("| start to the first shown window (offscreen, application made) | %.1f |\n",
                shown);
    return number == 1 ? 1 : 0;
}
