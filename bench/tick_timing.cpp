// How evenly the output thread keeps its 50 ms period: runs the real
// OutputThread driving the real tick over a busy show, records when every
// tick starts and prints how far each period strays from 50 ms.
#include "bench/busy_show.h"
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "engine/output_thread.h"
#include "network/sacn_output.h"
#include "tools/parse_number.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace velantra;
using Clock = OutputThread::Clock;

constexpr auto relaxed = std::memory_order_relaxed;
constexpr int DefaultTicks = 400;
constexpr int MaxTicks = 1'000'000;
constexpr auto Period = std::chrono::milliseconds(SharedValues::OutputPeriod);

struct Options {
    int ticks = DefaultTicks;
    bool load = false;
    bool noRealTime = false;
    bool help = false;
    bool fakeDevice = false;   // write every frame to the in-process fake interface
    bool fullFrames = false;   // every slot at 255: 1,032-byte messages
    bool openDmx = false;      // the fake is an Open DMX: the link's writer thread writes
    int writeDelayUs = 0;      // each write takes this long
    int stallOnceMs = 0;       // one write, halfway through, stalls this long
    int sacnPort = 0;          // also send sACN to 127.0.0.1 on this port and time its arrivals
    int universes = 1;         // the desk's universes sent (the further ones patched slot k from channel k)
    bool writeOnTick = false;  // the link writes on the tick's thread, not on its writer thread
};

void printUsage(std::FILE* to)
{
    std::fprintf(to,
                 "usage: velantra_tick_timing [--ticks N] [--load] [--no-rt] [--fake-device]\n"
                 "                            [--write-delay-us N] [--stall-once-ms N] [--full-frames] [--open-dmx]\n"
                 "                            [--sacn-port N] [--universes N] [--write-on-tick] [--help]\n"
                 "  --ticks N  ticks to record, 2..%d (default %d)\n"
                 "  --load     one busy-spinning thread per core while measuring\n"
                 "  --no-rt    run the output thread with normal scheduling\n"
                 "  --fake-device       write every frame to an in-process fake interface\n"
                 "  --write-delay-us N  each write to the fake interface takes N microseconds (implies --fake-device)\n"
                 "  --stall-once-ms N   one write halfway through stalls N ms (implies --fake-device)\n"
                 "  --full-frames       every slot at 255, so every message is 1,032 bytes\n"
                 "  --open-dmx          the fake interface is an Open DMX: break, mark-after-break and the frame\n"
                 "                      (implies --fake-device; with\n"
                 "                      --write-delay-us 23000, the line's time for a frame)\n"
                 "  --sacn-port N       also send sACN by unicast to 127.0.0.1 port N and time the packets\n"
                 "                      as a receiver on that port gets them, per universe\n"
                 "  --universes N       the desk sends N universes, 1..4 (default 1)\n"
                 "  --write-on-tick     the link writes each frame on the tick's thread before the next output gets\n"
                 "                      it (as a tick stepped by hand does), not on the link's writer thread\n"
                 "  --help     this text\n",
                 MaxTicks, DefaultTicks);
}

// Parses a whole decimal number in lo..hi.
// False on an unknown option or a bad number.
bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--load") {
            options.load = true;
        } else if (arg == "--no-rt") {
            options.noRealTime = true;
        } else if (arg == "--fake-device") {
            options.fakeDevice = true;
        } else if (arg == "--full-frames") {
            options.fullFrames = true;
        } else if (arg == "--open-dmx") {
            options.openDmx = true;
            options.fakeDevice = true;
        } else if (arg == "--write-delay-us" || arg == "--stall-once-ms") {
            int& target = arg == "--write-delay-us" ? options.writeDelayUs : options.stallOnceMs;
            if (i + 1 >= argc || !parseNumber(argv[++i], 0, 10'000'000, target)) {
                return false;
            }
            options.fakeDevice = true;
        } else if (arg == "--write-on-tick") {
            options.writeOnTick = true;
        } else if (arg == "--sacn-port") {
            if (i + 1 >= argc || !parseNumber(argv[++i], 1, 65535, options.sacnPort)) {
                return false;
            }
        } else if (arg == "--universes") {
            if (i + 1 >= argc || !parseNumber(argv[++i], 1, static_cast<int>(MaxUniverses), options.universes)) {
                return false;
            }
        } else if (arg == "--ticks") {
            if (i + 1 >= argc || !parseNumber(argv[++i], 2, MaxTicks, options.ticks)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

// Output thread. Puts the calling thread back on ordinary time sharing.
bool dropToNormalScheduling()
{
    sched_param param{};
    param.sched_priority = 0;
    return pthread_setschedparam(pthread_self(), SCHED_OTHER, &param) == 0;
}

// Output thread. The calling thread's policy (SCHED_OTHER, SCHED_FIFO, ...), or -1.
int currentPolicy()
{
    int policy = -1;
    sched_param param{};
    if (pthread_getschedparam(pthread_self(), &policy, &param) != 0) {
        return -1;
    }
    return policy;
}

const char* schedulingName(Scheduling s)
{
    switch (s) {
    case Scheduling::RealTime:
        return "real-time (SCHED_FIFO)";
    case Scheduling::Normal:
        return "normal";
    case Scheduling::NotStarted:
        break;
    }
    return "not started";
}

double toMs(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Spread {
    double median = 0;
    double p99 = 0;
    double max = 0;
};

// Sorts values; median, nearest-rank p99 (the smallest value that at least
// 99 % do not exceed) and maximum. values is not empty.
Spread spreadOf(std::vector<double>& values)
{
    std::sort(values.begin(), values.end());
    const std::size_t count = values.size();
    Spread s;
    s.median = count % 2 == 1 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
    const std::size_t p99Rank = (count * 99 + 99) / 100;
    s.p99 = values[std::min(count, std::max<std::size_t>(p99Rank, 1)) - 1];
    s.max = values.back();
    return s;
}

// A receiver on 127.0.0.1:port that notes when each datagram arrives.
class PacketTimes {
public:
    explicit PacketTimes(int port)
    {
        fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            std::perror("sACN receiver");
            return;
        }
        for (auto& times : times_) {
            times.reserve(100'000);
        }
        thread_ = std::thread([this] { receive(); });
    }
    ~PacketTimes() { stop(); }
    PacketTimes(const PacketTimes&) = delete;
    PacketTimes& operator=(const PacketTimes&) = delete;

    // Stops receiving; the arrival times of each universe's data packets
    // (index 0: the first universe sent) are then the caller's to read.
    const std::array<std::vector<Clock::time_point>, MaxUniverses>& stop()
    {
        running_.store(false, relaxed);
        if (thread_.joinable()) {
            thread_.join();
        }
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
        return times_;
    }

private:
    void receive()
    {
        std::array<std::uint8_t, 1500> buffer{};
        while (running_.load(relaxed)) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 20) != 1) {
                continue;
            }
            const ssize_t got = ::recv(fd_, buffer.data(), buffer.size(), 0);
            const auto now = Clock::now();
            if (got <= 0) {
                continue;
            }
            const auto data = sacn::parseDataPacket(std::span(buffer).first(static_cast<std::size_t>(got)));
            if (!data) {
                discoveries +=
                    sacn::parseDiscoveryPacket(std::span(buffer).first(static_cast<std::size_t>(got))) ? 1 : 0;
                continue;
            }
            const std::size_t index = data->universe - sacn::FirstUniverse;
            if (index < times_.size()) {
                times_[index].push_back(now);
            }
        }
    }

    int fd_ = -1;
    std::atomic<bool> running_{true};
    std::array<std::vector<Clock::time_point>, MaxUniverses> times_;
    std::thread thread_;

public:
    int discoveries = 0;  // universe discovery packets (after stop())
};

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        printUsage(stderr);
        return 2;
    }
    if (options.help) {
        printUsage(stdout);
        return 0;
    }

    if (options.noRealTime) {
        // Unprivileged, this alone makes the thread's SCHED_FIFO request fail.
        // Root (CAP_SYS_NICE) is granted it anyway; the first tick drops it.
        const rlimit none{0, 0};
        if (setrlimit(RLIMIT_RTPRIO, &none) != 0) {
            std::perror("setrlimit(RLIMIT_RTPRIO)");
        }
    }

    auto engine = std::make_unique<Engine>();
    bench::loadBusyShow(*engine, RateMode::Faders, false);
    if (options.fullFrames) {
        bench::makeFramesFull(*engine);
    }
    OutputCycle cycle(*engine);
    std::unique_ptr<bench::BenchDevice> device;
    if (options.fakeDevice) {
        device =
            bench::attachFakeDevice(cycle, options.openDmx ? KindChoice::OpenDmx : KindChoice::Auto,
                                    options.writeOnTick ? UsbLink::Writes::OnCaller : UsbLink::Writes::OnWriterThread);
        device->device.setWriteDelay(std::chrono::microseconds(options.writeDelayUs));
    }

    std::unique_ptr<PacketTimes> receiver;
    SacnOutput sacn;
    if (options.sacnPort > 0) {
        receiver = std::make_unique<PacketTimes>(options.sacnPort);
        SacnTarget target;
        target.enabled = true;
        target.destination = INADDR_LOOPBACK;
        target.port = static_cast<std::uint16_t>(options.sacnPort);
        sacn.configure(target);
        for (int u = 0; u + 1 < options.universes; ++u) {
            for (int slot = 1; slot <= LastChannel; ++slot) {
                engine->furtherPatch.setSource(u, slot, static_cast<std::uint8_t>(slot));
            }
        }
        sacn.start();
        cycle.addOutput(&sacn);
    }

    // Everything the tick touches exists before the thread starts.
    const int ticks = options.ticks;
    std::vector<Clock::time_point> starts(static_cast<std::size_t>(ticks));
    std::atomic<int> recorded{0};
    std::atomic<int> policyInForce{-1};
    bool firstTick = true;  // output thread only, once started
    const bool dropRealTime = options.noRealTime;

    OutputThread thread([&] {
        const auto now = Clock::now();
        const int i = recorded.load(relaxed);
        if (i < ticks) {
            starts[static_cast<std::size_t>(i)] = now;
            recorded.store(i + 1, std::memory_order_release);
        }
        if (firstTick) {
            firstTick = false;
            if (dropRealTime && currentPolicy() != SCHED_OTHER) {
                dropToNormalScheduling();
            }
            policyInForce.store(currentPolicy(), std::memory_order_release);
        }
        cycle.tick();
    });

    std::atomic<bool> stopLoad{false};
    std::vector<std::thread> spinners;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    if (options.load) {
        spinners.reserve(cores);
        for (unsigned n = 0; n < cores; ++n) {
            spinners.emplace_back([&stopLoad] {
                while (!stopLoad.load(relaxed)) {
                }
            });
        }
    }

    thread.start();
    // The operator changes scene once a second, so the fades keep moving.
    auto nextSceneChange = Clock::now() + std::chrono::seconds(1);
    bool sceneA = true;
    bool stalled = false;
    while (recorded.load(std::memory_order_acquire) < ticks) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (device && options.stallOnceMs > 0 && !stalled && recorded.load(relaxed) >= ticks / 2) {
            device->device.stallNextWrite(std::chrono::milliseconds(options.stallOnceMs));
            stalled = true;
        }
        if (Clock::now() >= nextSceneChange) {
            sceneA = !sceneA;
            engine->memory.set(CellScene, sceneA ? bench::BusySceneA : bench::BusySceneB);
            nextSceneChange += std::chrono::seconds(1);
        }
    }
    thread.stop();
    std::array<std::vector<Clock::time_point>, MaxUniverses> arrivals;
    if (receiver) {
        arrivals = receiver->stop();
        sacn.stop();
    }
    stopLoad.store(true, relaxed);
    for (std::thread& spinner : spinners) {
        spinner.join();
    }

    // Deviation of each period from 50 ms, either way.
    std::vector<double> deviations;
    deviations.reserve(starts.size() - 1);
    int late = 0;
    for (std::size_t i = 1; i < starts.size(); ++i) {
        const auto stray = starts[i] - starts[i - 1] - Period;
        if (stray > OutputThread::LateThreshold) {
            ++late;
        }
        deviations.push_back(std::abs(toMs(stray)));
    }
    const std::size_t count = deviations.size();
    const Spread tickSpread = spreadOf(deviations);

    const int policy = policyInForce.load(std::memory_order_acquire);
    std::printf("ticks:      %d (%zu periods of %d ms)\n", ticks, count, static_cast<int>(Period.count()));
    if (options.load) {
        std::printf("load:       %u busy-spinning threads\n", cores);
    } else {
        std::printf("load:       none\n");
    }
    if (options.noRealTime) {
        std::printf("scheduling: %s (output thread was granted: %s)\n",
                    policy == SCHED_OTHER ? "normal (forced by --no-rt)" : "NOT normal: --no-rt failed",
                    schedulingName(thread.scheduling()));
    } else {
        std::printf("scheduling: %s\n", schedulingName(thread.scheduling()));
    }
    if (device) {
        std::printf("device:     fake%s, %zu frames written, last message %d bytes, write delay %d us, stall %d ms\n",
                    options.openDmx ? " Open DMX" : "", device->device.writeCount(), device->link.wireLength(),
                    options.writeDelayUs, options.stallOnceMs);
        if (options.openDmx) {
            const double seconds = static_cast<double>(ticks) * toMs(Period) / 1000.0;
            std::printf("open dmx:   %llu frames on the line, %.1f a second\n",
                        static_cast<unsigned long long>(device->link.openDmxFrames()),
                        static_cast<double>(device->link.openDmxFrames()) / seconds);
        }
    }
    std::printf("deviation:  median %.3f ms, p99 %.3f ms, max %.3f ms\n", tickSpread.median, tickSpread.p99,
                tickSpread.max);
    if (receiver) {
        for (std::size_t u = 0; u < static_cast<std::size_t>(options.universes); ++u) {
            const std::vector<Clock::time_point>& times = arrivals[u];
            std::vector<double> gaps;
            for (std::size_t i = 1; i < times.size(); ++i) {
                gaps.push_back(toMs(times[i] - times[i - 1]));
            }
            if (gaps.empty()) {
                std::printf("sacn:       universe %zu: fewer than two packets arrived\n", u + 1);
                continue;
            }
            const Spread gap = spreadOf(gaps);
            const double seconds = toMs(times.back() - times.front()) / 1000.0;
            std::printf("sacn:       universe %zu: %zu packets, %.2f a second, interval median %.3f ms, p99 %.3f ms, "
                        "max %.3f ms\n",
                        u + 1, times.size(), static_cast<double>(times.size() - 1) / seconds, gap.median, gap.p99,
                        gap.max);
        }
        std::printf("sacn:       %d universe discovery packets\n", receiver->discoveries);
    }
    std::printf("late:       %d periods over %lld ms (output thread's own count: %llu)\n", late,
                static_cast<long long>(OutputThread::LateThreshold.count()),
                static_cast<unsigned long long>(thread.lateTicks()));

    if (options.noRealTime && policy != SCHED_OTHER) {
        return 1;
    }
    return 0;
}
