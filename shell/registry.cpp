#include "shell/registry.h"

#include "shell/app.h"

namespace hc {

namespace {
const ScreenEntry kScreens[] = {
    {"Form1", &MakeForm1},
    {"Form2", &MakeForm2},
    {"Form3", &MakeForm3},
    {"Form4", &MakeForm4},
    {"Form5", &MakeForm5},
    {"Form6", &MakeForm6},
    {"Form7", &MakeForm7},
    {"Form8", &MakeForm8},
    {"Form9", &MakeForm9},
    {"Form11", &MakeForm11},
    {"Form12", &MakeForm12},
    {"Form13", &MakeForm13},
    {"Form14", &MakeForm14},
    {"Form15", &MakeForm15},
    {"Form16", &MakeForm16},
    {"Form17", &MakeForm17},
    {"Form18", &MakeForm18},
    {"Form19", &MakeForm19},
    {"Form20", &MakeForm20},
    {"Form21", &MakeForm21},
    {"Form22", &MakeForm22},
    {"Form23", &MakeForm23},
    {"Form24", &MakeForm24},
    {"Form25", &MakeForm25},
    {"Form26", &MakeForm26},
    {"Form27", &MakeForm27},
    {"Form28", &MakeForm28},
    {"Form29", &MakeForm29},
    {"Form30", &MakeForm30},
    {"Form31", &MakeForm31},
    {"Form32", &MakeForm32},
    {"Form33", &MakeForm33},
    {"Form34", &MakeForm34},
    {"Form35", &MakeForm35},
    {"Form36", &MakeForm36},
    {"Form37", &MakeForm37},
    {"Form38", &MakeForm38},
    {"Form39", &MakeForm39},
};
}  // namespace

std::span<const ScreenEntry> ScreenRegistry() { return kScreens; }

}  // namespace hc
