// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/optionslayoutunit.h"

#include "app/failureunit.h"
#include "app/logunit.h"
#include "assets/streamunit.h"
#include "gui/guiunit.h"

#include <stdexcept>

namespace {

const char* const WindowName = "options";

template <class T> T* Need(TUiWindow& window, const std::string& name) {
    auto* widget = dynamic_cast<T*>(window.FindByName(name));
    if (widget == nullptr) throw std::runtime_error("no widget \"" + name + "\" of its kind");
    return widget;
}

// The window of a layout, or an exception saying what it lacks.
std::unique_ptr<TUiWindow> CheckedWindow(std::unique_ptr<TUiWidget> widget) {
    auto* window = dynamic_cast<TUiWindow*>(widget.get());
    if (window == nullptr) throw std::runtime_error("no window \"options\"");
    FindOptionsWidgets(*window);
    widget.release();
    return std::unique_ptr<TUiWindow>(window);
}

} // namespace

const std::string& BuiltInOptionsLayout() {
    static const std::string text = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- The options window over the title screen. The game finds its widgets by name; their places,
     sizes and captions may be changed, and the volume tracker's MIN and MAX (its range stands
     for 0 to 100 %). The labels come first: the skin draws a label in the colour of the widget
     before it, and a focused widget is yellow. -->
<LAYOUT>
  <WINDOW name="options">
    <TITLE>Options</TITLE>
    <LEFT>180</LEFT><TOP>56</TOP><WIDTH>440</WIDTH><HEIGHT>488</HEIGHT>
    <MARGINLEFT>12</MARGINLEFT><MARGINTOP>24</MARGINTOP>
    <CHILDREN>
      <LABEL name="volumelabel"><LEFT>4</LEFT><TOP>14</TOP><WIDTH>60</WIDTH><HEIGHT>8</HEIGHT><CAPTION>Volume</CAPTION></LABEL>
      <LABEL name="keyslabel"><LEFT>4</LEFT><TOP>164</TOP><WIDTH>412</WIDTH><HEIGHT>8</HEIGHT><CAPTION>Keyboard keys (the pad keeps its own layout):</CAPTION></LABEL>
      <LABEL name="message"><LEFT>4</LEFT><TOP>386</TOP><WIDTH>412</WIDTH><HEIGHT>8</HEIGHT><CAPTION></CAPTION></LABEL>
      <TRACKER name="volume"><LEFT>100</LEFT><TOP>2</TOP><WIDTH>316</WIDTH><HEIGHT>32</HEIGHT><MIN>0</MIN><MAX>100</MAX><MARGIN>20</MARGIN><CURSORWIDTH>16</CURSORWIDTH></TRACKER>
      <CHECKBOX name="music"><LEFT>4</LEFT><TOP>42</TOP><WIDTH>120</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Music</CAPTION></CHECKBOX>
      <CHECKBOX name="fullscreen"><LEFT>136</LEFT><TOP>42</TOP><WIDTH>130</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Full screen</CAPTION></CHECKBOX>
      <CHECKBOX name="fps"><LEFT>276</LEFT><TOP>42</TOP><WIDTH>140</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Frame rate</CAPTION></CHECKBOX>
      <BUTTON name="difficulty"><LEFT>4</LEFT><TOP>82</TOP><WIDTH>262</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Difficulty</CAPTION></BUTTON>
      <CHECKBOX name="sharp"><LEFT>276</LEFT><TOP>82</TOP><WIDTH>140</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Sharp picture</CAPTION></CHECKBOX>
      <CHECKBOX name="facing"><LEFT>4</LEFT><TOP>122</TOP><WIDTH>262</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Facing marker</CAPTION></CHECKBOX>
      <BUTTON name="key.turn_left"><LEFT>4</LEFT><TOP>178</TOP><WIDTH>412</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Turn left</CAPTION></BUTTON>
      <BUTTON name="key.turn_right"><LEFT>4</LEFT><TOP>212</TOP><WIDTH>412</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Turn right</CAPTION></BUTTON>
      <BUTTON name="key.forwards"><LEFT>4</LEFT><TOP>246</TOP><WIDTH>412</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Walk forwards</CAPTION></BUTTON>
      <BUTTON name="key.backwards"><LEFT>4</LEFT><TOP>280</TOP><WIDTH>412</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Walk backwards</CAPTION></BUTTON>
      <BUTTON name="key.swing"><LEFT>4</LEFT><TOP>314</TOP><WIDTH>412</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Swing</CAPTION></BUTTON>
      <BUTTON name="key.pause"><LEFT>4</LEFT><TOP>348</TOP><WIDTH>412</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Pause</CAPTION></BUTTON>
      <BUTTON name="defaults"><LEFT>4</LEFT><TOP>406</TOP><WIDTH>130</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Defaults</CAPTION></BUTTON>
      <BUTTON name="back"><LEFT>286</LEFT><TOP>406</TOP><WIDTH>130</WIDTH><HEIGHT>32</HEIGHT><CAPTION>Back</CAPTION></BUTTON>
    </CHILDREN>
  </WINDOW>
</LAYOUT>
)";
    return text;
}

TOptionsWidgets FindOptionsWidgets(TUiWindow& window) {
    TOptionsWidgets w;
    w.VolumeLabel = Need<TUiLabel>(window, "volumelabel");
    w.Volume = Need<TUiTracker>(window, "volume");
    w.Music = Need<TUiCheckBox>(window, "music");
    w.FullScreen = Need<TUiCheckBox>(window, "fullscreen");
    w.Fps = Need<TUiCheckBox>(window, "fps");
    w.Difficulty = Need<TUiButton>(window, "difficulty");
    w.Sharp = Need<TUiCheckBox>(window, "sharp");
    w.Facing = Need<TUiCheckBox>(window, "facing");
    for (int i = 0; i < PlayActionCount; ++i)
        w.KeyRows[i] = Need<TUiButton>(window, std::string("key.") +
                                                   ActionSettingName(static_cast<TPlayAction>(i)));
    w.Message = Need<TUiLabel>(window, "message");
    w.Defaults = Need<TUiButton>(window, "defaults");
    w.Back = Need<TUiButton>(window, "back");
    return w;
}

std::unique_ptr<TUiWindow> LoadOptionsWindow(const std::string& fileName) {
    try {
        return CheckedWindow(LoadWidgetFromFile(fileName, WindowName));
    } catch (...) {
        WriteLog("Unable to use layout " + fileName + ": " +
                 DescribeFailure(std::current_exception()) + "; the built-in one stands in");
    }
    TMemoryStream builtIn(BuiltInOptionsLayout());
    return CheckedWindow(LoadWidgetFromStream(builtIn, WindowName, "built-in options layout"));
}
