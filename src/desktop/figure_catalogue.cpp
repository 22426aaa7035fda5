#include "desktop/figure_catalogue.h"


#define PATHWICK_FIGURE_SYMBOLS(name) \
    extern const std::uint8_t pathwick_figure_##name##_begin[], pathwick_figure_##name##_end[];

extern "C" {
PATHWICK_FIGURE_SYMBOLS(t1)
PATHWICK_FIGURE_SYMBOLS(t2)
PATHWICK_FIGURE_SYMBOLS(t3)
PATHWICK_FIGURE_SYMBOLS(g7_1)
PATHWICK_FIGURE_SYMBOLS(e5_1)
PATHWICK_FIGURE_SYMBOLS(e6_1)
PATHWICK_FIGURE_SYMBOLS(e6_2)
PATHWICK_FIGURE_SYMBOLS(e6_3)
PATHWICK_FIGURE_SYMBOLS(e7_1)
PATHWICK_FIGURE_SYMBOLS(e7_2)
PATHWICK_FIGURE_SYMBOLS(e7_3)
PATHWICK_FIGURE_SYMBOLS(e9_1)
PATHWICK_FIGURE_SYMBOLS(e9_2)
PATHWICK_FIGURE_SYMBOLS(e9_3)
}

namespace pathwick {
namespace {

#define PATHWICK_FIGURE(name, symbol, width, height)                              \
    FigurePicture {                                                                \
        name, "Figure " name, pathwick_figure_##symbol##_begin,                    \
            pathwick_figure_##symbol##_end, width, height                          \
    }

constexpr std::string_view kMarker = "Figure:";

const FigurePicture kFigures[] = {
    PATHWICK_FIGURE("T1", t1, 640, 533),
    PATHWICK_FIGURE("T2", t2, 640, 317),
    PATHWICK_FIGURE("T3", t3, 640, 707),
    PATHWICK_FIGURE("G7-1", g7_1, 640, 449),
    PATHWICK_FIGURE("E5-1", e5_1, 640, 645),
    PATHWICK_FIGURE("E6-1", e6_1, 640, 446),
    PATHWICK_FIGURE("E6-2", e6_2, 640, 430),
    PATHWICK_FIGURE("E6-3", e6_3, 640, 431),
    PATHWICK_FIGURE("E7-1", e7_1, 640, 583),
    PATHWICK_FIGURE("E7-2", e7_2, 640, 543),
    PATHWICK_FIGURE("E7-3", e7_3, 640, 600),
    PATHWICK_FIGURE("E9-1", e9_1, 640, 567),
    PATHWICK_FIGURE("E9-2", e9_2, 640, 456),
    PATHWICK_FIGURE("E9-3", e9_3, 640, 673),
};

}  // namespace

std::span<const FigurePicture> FigureCatalogue() { return kFigures; }

const FigurePicture* FindFigure(std::string_view marker) {
    if (!marker.starts_with(kMarker)) return nullptr;
    marker.remove_prefix(kMarker.size());
    for (const FigurePicture& figure : kFigures) {
        if (figure.name == marker) return &figure;
    }
    return nullptr;
}

}  // namespace pathwick
