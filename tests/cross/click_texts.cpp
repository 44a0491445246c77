// Prints the texts of one Analyze click for each of N generated cases, one line
// a case (the typed texts show among them), so that builds for different
// processors can be compared line by line.
// Every field is at most six characters: all magnitudes, every point size, both
// directions, C on a band's bound, at its level or anywhere, candle counts given
// or not, now and then a check that fails.
//   click_texts [N]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "display.h"
#include "reference.h"

using namespace plovatrix;

namespace {

// Everything a window shows of one click.
void PrintClick(const ClickDisplay& d) {
    std::printf("%d %d %d D=%.17g", int(d.outcome), int(d.focus), int(d.direction), d.priceD);
    for (const auto& [name, text] : PanelTextList) {
        if (d.texts.*text) {
            std::printf(" |%.*s=%s", int(name.size()), name.data(), (d.texts.*text)->c_str());
        }
    }
    std::printf("\n");
}

constexpr long long Pow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

// units x 10^-decimals as typed, "" when it does not fit the field.
std::string Typed(long long units, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, double(units) / double(Pow10[decimals]));
    const char* typed = std::strlen(text) > 6 && text[0] == '0' ? text + 1 : text;
    return units > 0 && std::strlen(typed) <= 6 ? typed : "";
}

}  // namespace

int main(int argc, char** argv) {
    std::mt19937_64 random(19);  // the engine's sequence is the same everywhere
    const auto pick = [&random](long long below) { return (long long)(random() % below); };
    const long long permille[] = {382, 500, 618, 707, 786};
    const char* points[] = {"0.1", "0.01", "0.001", "0.0001"};
    const auto candles = [&]() -> std::string {
        return pick(3) ? std::to_string(pick(200)) : pick(9) ? "0" : "";
    };
    for (long i = 0, n = argc > 1 ? std::atol(argv[1]) : 6000; i < n; ++i) {
        // A, B and C with the same decimals; the level and bounds in units of 10^-8.
        const int decimals = int(pick(6)), point = int(i % 4), tol = int(pick(3) ? pick(100) : 0);
        const auto price = [&] { return 1 + pick(pick(2) ? Pow10[6 - (decimals > 0)] - 1 : 999); };
        const long long a = price(), b = pick(8) ? price() : a, mode = pick(3);
        const long long grid = 1000 * Pow10[5 - decimals], half = tol * 1000 * Pow10[4 - point];
        const long long level = b * grid + permille[pick(5)] * (a - b) * grid / 1000;
        const long long bound = level + (pick(2) ? half : -half) * (mode == 0);
        const long long c = mode == 2 ? price() : (bound + grid / 2) / grid;
        const std::string f[] = {
            Typed(a, decimals), Typed(b, decimals), Typed(c, decimals), std::to_string(tol),
            points[point],      candles(),          candles()};
        PrintClick(ComposeClick(reference::Fields(f), i % 3 ? "." : ","));
    }
}
