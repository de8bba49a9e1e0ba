// Factories of every screen of the program, in catalogue order.
#pragma once

#include <memory>

namespace hc {

class App;
class Screen;

std::unique_ptr<Screen> MakeForm1(App& app);
std::unique_ptr<Screen> MakeForm2(App& app);
std::unique_ptr<Screen> MakeForm3(App& app);
std::unique_ptr<Screen> MakeForm4(App& app);
std::unique_ptr<Screen> MakeForm5(App& app);
std::unique_ptr<Screen> MakeForm6(App& app);
std::unique_ptr<Screen> MakeForm7(App& app);
std::unique_ptr<Screen> MakeForm8(App& app);
std::unique_ptr<Screen> MakeForm9(App& app);
std::unique_ptr<Screen> MakeForm11(App& app);
std::unique_ptr<Screen> MakeForm12(App& app);
std::unique_ptr<Screen> MakeForm13(App& app);
std::unique_ptr<Screen> MakeForm14(App& app);
std::unique_ptr<Screen> MakeForm15(App& app);
std::unique_ptr<Screen> MakeForm16(App& app);
std::unique_ptr<Screen> MakeForm17(App& app);
std::unique_ptr<Screen> MakeForm18(App& app);
std::unique_ptr<Screen> MakeForm19(App& app);
std::unique_ptr<Screen> MakeForm20(App& app);
std::unique_ptr<Screen> MakeForm21(App& app);
std::unique_ptr<Screen> MakeForm22(App& app);
std::unique_ptr<Screen> MakeForm23(App& app);
std::unique_ptr<Screen> MakeForm24(App& app);
std::unique_ptr<Screen> MakeForm25(App& app);
std::unique_ptr<Screen> MakeForm26(App& app);
std::unique_ptr<Screen> MakeForm27(App& app);
std::unique_ptr<Screen> MakeForm28(App& app);
std::unique_ptr<Screen> MakeForm29(App& app);
std::unique_ptr<Screen> MakeForm30(App& app);
std::unique_ptr<Screen> MakeForm31(App& app);
std::unique_ptr<Screen> MakeForm32(App& app);
std::unique_ptr<Screen> MakeForm33(App& app);
std::unique_ptr<Screen> MakeForm34(App& app);
std::unique_ptr<Screen> MakeForm35(App& app);
std::unique_ptr<Screen> MakeForm36(App& app);
std::unique_ptr<Screen> MakeForm37(App& app);
std::unique_ptr<Screen> MakeForm38(App& app);
std::unique_ptr<Screen> MakeForm39(App& app);

}  // namespace hc
