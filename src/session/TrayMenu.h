#pragma once

#include <array>
#include <string>
#include <string_view>

namespace velunor {

// What the tray offers and says. Both front ends build their menus from these texts, in this
// order: the pause submenu, 继续提醒 (only while a pause runs), 推迟5分钟 and 现在休息, a line,
// then 设置, 帮助, 关于 and 退出.
namespace tray_text {
inline constexpr std::string_view kTip = "双击激活Velunor";
inline constexpr std::string_view kPauseMenu = "暂停提醒";
inline constexpr std::string_view kResume = "继续提醒";
inline constexpr std::string_view kPostpone = "推迟5分钟";
inline constexpr std::string_view kBreakNow = "现在休息";
// The second line of the notice where a click on it is how to postpone (the Windows balloon).
inline constexpr std::string_view kClickToPostpone = "点击推迟5分钟";
}  // namespace tray_text

// A pause of this many minutes, or kUntilMorning: until 06:00 of the next day.
struct PauseChoice {
    std::string_view label;
    int minutes;
};
inline constexpr int kUntilMorning = 0;
inline constexpr std::array<PauseChoice, 4> kPauseChoices{
    {{"30分钟", 30}, {"1小时", 60}, {"2小时", 120}, {"今天不再提醒", kUntilMorning}}};

// The tray's tip and which of its items can be chosen now.
struct TrayState {
    std::string tip{tray_text::kTip};  // "已暂停，HH:MM 继续" while paused
    bool paused = false;               // 继续提醒 is offered
    bool canPostpone = false;
    bool canBreakNow = false;
    bool operator==(const TrayState&) const = default;
};

}  // namespace velunor
