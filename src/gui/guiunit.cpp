// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gui/guiunit.h"

#include "app/logunit.h"
#include "assets/streamunit.h"
#include "assets/xmlparser.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <map>

namespace {

// Coordinates come from layout files and the owner unchecked: sums are taken wide and
// saturated instead of overflowing.
int32_t Saturate(int64_t value) {
    constexpr int64_t low = std::numeric_limits<int32_t>::min();
    constexpr int64_t high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(value, low, high));
}

int32_t Minus(int32_t a, int32_t b) {
    return Saturate(static_cast<int64_t>(a) - b);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string CutName(const std::string& name) {
    return name.substr(0, MaxNameLength);
}

void Fire(const TOnSimpleEvent& handler, TUiWidget& sender) {
    if (handler) handler(sender);
}

// Clamps a dragged value into min..max, testing max first.
int32_t ClampPosition(int32_t value, int32_t min, int32_t max) {
    if (value > max) return max;
    if (value < min) return min;
    return value;
}

} // namespace

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

// --- TUiWidget ---

TUiWidget::TUiWidget() = default;
TUiWidget::~TUiWidget() = default;

void TUiWidget::MouseDown(int32_t x, int32_t y, TMouseButton button) {
    if (OnMouseDown) OnMouseDown(*this, x, y, button);
}

void TUiWidget::MouseUp(int32_t x, int32_t y, TMouseButton button) {
    if (OnMouseUp) OnMouseUp(*this, x, y, button);
}

void TUiWidget::MouseMove(int32_t x, int32_t y) {
    if (OnMouseMove) OnMouseMove(*this, x, y);
}

void TUiWidget::KeyPress(char) {}

bool TUiWidget::ContainsPoint(int32_t x, int32_t y) const {
    return Left <= x && x <= static_cast<int64_t>(Left) + GetWidth() && Top <= y &&
           y <= static_cast<int64_t>(Top) + GetHeight();
}

TUiDesktop* TUiWidget::GetDesktop() const {
    for (TUiContainer* p = Parent; p != nullptr; p = p->Parent)
        if (auto* desktop = dynamic_cast<TUiDesktop*>(p)) return desktop;
    return nullptr;
}

bool TUiWidget::IsFocused() const {
    TUiDesktop* desktop = GetDesktop();
    return desktop != nullptr && desktop->Focused == this;
}

void TUiWidget::SetFocus() {
    if (TUiDesktop* desktop = GetDesktop()) desktop->SetFocused(this);
}

void TUiWidget::SetName(const std::string& name) {
    Name = CutName(name);
}

void TUiWidget::Destroy() {
    if (Parent != nullptr) Parent->RemoveChild(this);
}

// --- TUiWidgetList ---

int32_t TUiWidgetList::Remove(TUiWidget* widget) {
    int32_t index = IndexOf(widget);
    if (index >= 0) FItems.erase(FItems.begin() + index);
    return index;
}

int32_t TUiWidgetList::IndexOf(const TUiWidget* widget) const {
    auto found = std::find(FItems.begin(), FItems.end(), widget);
    return found == FItems.end() ? -1 : static_cast<int32_t>(found - FItems.begin());
}

void TUiWidgetList::Move(int32_t from, int32_t to) {
    TUiWidget* item = Items(from);
    Items(to);
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, item);
}

// --- TUiContainer ---

TUiContainer::~TUiContainer() {
    DestroyChildren();
}

void TUiContainer::DestroyChildren() {
    while (ChildCount() > 0)
        RemoveChild(Child(0));
}

TUiWidget* TUiContainer::WidgetAt(int32_t x, int32_t y, bool deep) {
    for (int32_t i = ChildCount() - 1; i >= 0; --i) {
        TUiWidget* child = Child(i);
        if (!child->Enabled || !child->Visible || !child->ContainsPoint(x, y)) continue;
        auto* container = dynamic_cast<TUiContainer*>(child);
        if (deep && container != nullptr)
            return container->WidgetAt(Minus(Minus(x, container->MarginLeft), container->Left),
                                       Minus(Minus(y, container->MarginTop), container->Top), deep);
        return child;
    }
    return this;
}

TUiWidget* TUiContainer::AddChild(std::unique_ptr<TUiWidget> widget) {
    TUiWidget* raw = widget.release();
    Children.Add(raw);
    raw->Parent = this;
    return raw;
}

std::unique_ptr<TUiWidget> TUiContainer::RemoveChild(TUiWidget* widget) {
    if (Children.IndexOf(widget) < 0) return nullptr;
    auto* desktop = dynamic_cast<TUiDesktop*>(this);
    if (desktop == nullptr) desktop = GetDesktop();
    if (desktop != nullptr) desktop->Forget(*widget);
    Children.Remove(widget);
    widget->Parent = nullptr;
    return std::unique_ptr<TUiWidget>(widget);
}

TUiWidget* TUiContainer::FindByName(const std::string& name) {
    const std::string wanted = CutName(name);
    for (int32_t i = ChildCount() - 1; i >= 0; --i) {
        TUiWidget* child = Child(i);
        if (SameName(child->Name, wanted)) return child;
        if (auto* container = dynamic_cast<TUiContainer*>(child))
            if (TUiWidget* found = container->FindByName(wanted)) return found;
    }
    return nullptr;
}

TUiWidget* TUiContainer::RouteTarget(int32_t x, int32_t y, int32_t& cx, int32_t& cy) {
    int32_t ix = Minus(x, MarginLeft);
    int32_t iy = Minus(y, MarginTop);
    TUiWidget* target = WidgetAt(ix, iy, false);
    if (target == this) return nullptr;
    cx = Minus(ix, target->Left);
    cy = Minus(iy, target->Top);
    return target;
}

void TUiContainer::MouseDown(int32_t x, int32_t y, TMouseButton button) {
    int32_t cx = 0, cy = 0;
    if (TUiWidget* child = RouteTarget(x, y, cx, cy))
        child->MouseDown(cx, cy, button);
    else
        TUiWidget::MouseDown(x, y, button);
}

void TUiContainer::MouseUp(int32_t x, int32_t y, TMouseButton button) {
    int32_t cx = 0, cy = 0;
    if (TUiWidget* child = RouteTarget(x, y, cx, cy))
        child->MouseUp(cx, cy, button);
    else
        TUiWidget::MouseUp(x, y, button);
}

void TUiContainer::MouseMove(int32_t x, int32_t y) {
    int32_t cx = 0, cy = 0;
    if (TUiWidget* child = RouteTarget(x, y, cx, cy))
        child->MouseMove(cx, cy);
    else
        TUiWidget::MouseMove(x, y);
}

// --- TUiDesktop ---

TUiDesktop::TUiDesktop() {
    Name = "Desktop1";
    Left = 0;
    HoverWidget = this;
}

TUiDesktop::~TUiDesktop() {
    // While this is still a desktop, so that the modal level and references follow.
    DestroyChildren();
}

bool TUiDesktop::Admits(const TUiWidget* widget) const {
    if (auto* window = dynamic_cast<const TUiAbstractWindow*>(widget))
        return window->ModalLevel >= ModalLevel;
    return ModalLevel <= 0;
}

void TUiDesktop::MouseDown(int32_t x, int32_t y, TMouseButton button) {
    int32_t ix = Minus(x, MarginLeft);
    int32_t iy = Minus(y, MarginTop);
    TUiWidget* top = WidgetAt(ix, iy, false);
    if (!Admits(top)) return;
    SetFocused(WidgetAt(ix, iy, true));
    auto* window = dynamic_cast<TUiWindow*>(top);
    if (window != nullptr) Children.Move(Children.IndexOf(window), ChildCount() - 1);
    int32_t lx = Minus(Minus(ix, Left), top->Left);
    int32_t ly = Minus(Minus(iy, Top), top->Top);
    if (window != nullptr && button == mbLeft && window->IsDragArea(lx, ly)) {
        DragWindow = window;
        DragOffsetX = Minus(x, window->Left);
        DragOffsetY = Minus(y, window->Top);
        return;
    }
    TUiContainer::MouseDown(x, y, button);
}

void TUiDesktop::MouseMove(int32_t x, int32_t y) {
    if (DragWindow != nullptr) {
        DragWindow->Left = Minus(x, DragOffsetX);
        DragWindow->Top = Minus(y, DragOffsetY);
        return;
    }
    int32_t ix = Minus(x, MarginLeft);
    int32_t iy = Minus(y, MarginTop);
    // Filtered like a press, on the top-level child: inside a modal window the pointer
    // must still enter and leave its widgets.
    if (!Admits(WidgetAt(ix, iy, false))) return;
    TUiWidget* hit = WidgetAt(ix, iy, true);
    if (hit != HoverWidget) {
        TLifeGuard self(*this), target(*hit);
        if (HoverWidget != nullptr) HoverWidget->MouseLeave();
        if (!self.Alive() || !target.Alive()) return;
        hit->MouseEnter();
        if (!self.Alive() || !target.Alive()) return;
        HoverWidget = hit;
    }
    CurrentHint = hit->Hint;
    TUiContainer::MouseMove(x, y);
}

void TUiDesktop::MouseUp(int32_t x, int32_t y, TMouseButton button) {
    if (DragWindow != nullptr) {
        DragWindow = nullptr;
        return;
    }
    TUiContainer::MouseUp(x, y, button);
}

void TUiDesktop::KeyPress(char key) {
    if (Focused != nullptr && Focused != this) Focused->KeyPress(key);
}

TUiWidget* TUiDesktop::AddChild(std::unique_ptr<TUiWidget> widget) {
    if (auto* window = dynamic_cast<TUiAbstractWindow*>(widget.get()))
        ModalLevel = std::max(ModalLevel, window->ModalLevel);
    return TUiContainer::AddChild(std::move(widget));
}

std::unique_ptr<TUiWidget> TUiDesktop::RemoveChild(TUiWidget* widget) {
    std::unique_ptr<TUiWidget> removed = TUiContainer::RemoveChild(widget);
    if (dynamic_cast<TUiAbstractWindow*>(removed.get()) != nullptr) {
        ModalLevel = 0;
        for (int32_t i = 0; i < ChildCount(); ++i)
            if (auto* window = dynamic_cast<TUiAbstractWindow*>(Child(i)))
                ModalLevel = std::max(ModalLevel, window->ModalLevel);
    }
    return removed;
}

TUiAbstractWindow* TUiDesktop::ShowModal(std::unique_ptr<TUiAbstractWindow> window) {
    TUiAbstractWindow* raw = window.get();
    raw->ModalLevel = ModalLevel + 1;
    AddChild(std::move(window));
    ClearFocus();
    return raw;
}

void TUiDesktop::Forget(const TUiWidget& widget) {
    auto within = [&widget](const TUiWidget* w) {
        for (; w != nullptr; w = w->Parent)
            if (w == &widget) return true;
        return false;
    };
    if (within(HoverWidget)) HoverWidget = nullptr;
    if (within(Focused)) Focused = nullptr;
    if (within(DragWindow)) DragWindow = nullptr;
}

// --- Windows ---

TUiWindow::TUiWindow() {
    Name = "Window1";
}

bool TUiWindow::IsDragArea(int32_t, int32_t y) const {
    return y <= MarginTop;
}

TUiRollableWindow::TUiRollableWindow() = default;

int32_t TUiRollableWindow::GetHeight() const {
    return Open ? Height : MarginTop;
}

void TUiRollableWindow::MouseDown(int32_t x, int32_t y, TMouseButton button) {
    TLifeGuard self(*this);
    TUiContainer::MouseDown(x, y, button);
    if (self.Alive() && button == mbRight && IsDragArea(x, y)) Open = !Open;
}

// --- Buttons and check boxes ---

TUiButton::TUiButton() {
    Name = "Button1";
    Left = 0;
    Caption = Name;
}

void TUiButton::MouseDown(int32_t, int32_t, TMouseButton) {
    Down = true;
}

void TUiButton::MouseUp(int32_t, int32_t, TMouseButton) {
    if (!Down) return;
    TLifeGuard self(*this);
    Fire(OnClick, *this);
    if (self.Alive()) Down = false;
}

void TUiButton::MouseLeave() {
    Down = false;
}

TUiCheckBox::TUiCheckBox() {
    Name = "CheckBox1";
    Left = 0;
    Caption = Name;
}

void TUiCheckBox::MouseDown(int32_t, int32_t, TMouseButton) {
    Pressed = true;
}

void TUiCheckBox::MouseUp(int32_t, int32_t, TMouseButton) {
    if (!Pressed) return;
    Pressed = false;
    Checked = !Checked;
    Fire(OnClick, *this);
}

void TUiCheckBox::MouseLeave() {
    Pressed = false;
}

// --- Text ---

TUiEdit::TUiEdit() {
    Name = "Edit1";
    Left = 0;
}

void TUiEdit::KeyPress(char key) {
    const auto code = static_cast<unsigned char>(key);
    if (code == 13) {
        Fire(OnEnter, *this);
    } else if (code >= 32 && code <= 126) {
        if (MaxLength == 0 || static_cast<int64_t>(Text.size()) < MaxLength) Text += key;
    } else if (code == 8 && !Text.empty()) {
        Text.pop_back();
    }
}

TUiLabel::TUiLabel() {
    Name = "Label1";
    Left = 0;
}

TUiImage::TUiImage() {
    Name = "Image1";
    Left = 0;
}

// --- Lists ---

TUiList::TUiList() = default;

void TUiList::MouseDown(int32_t, int32_t, TMouseButton) {
    if (!Simple) Pressed = true;
}

void TUiList::MouseUp(int32_t, int32_t y, TMouseButton) {
    if (!Pressed || Simple) return;
    const auto count = static_cast<int64_t>(Items.size());
    int64_t row = (static_cast<int64_t>(y) - MarginTop) / RowHeight;
    if (count == 0)
        row = -1;
    else if (row >= count)
        row = count - 1;
    else if (row < 0)
        row = 0;
    ItemIndex = static_cast<int32_t>(row);
    TLifeGuard self(*this);
    Fire(OnSelect, *this);
    if (self.Alive()) Pressed = false;
}

void TUiList::MouseLeave() {
    Pressed = false;
}

const std::string& TUiList::SelectedItem() const {
    if (ItemIndex < 0 || static_cast<size_t>(ItemIndex) >= Items.size())
        throw EGuiError("List index out of bounds (" + std::to_string(ItemIndex) + ")");
    return Items[static_cast<size_t>(ItemIndex)];
}

// --- Containers ---

TUiLayered::TUiLayered() {
    Name = "Layered1";
    Left = 0;
    Height = 100;
}

int32_t TUiLayered::IndexOfLayer(const std::string& name) const {
    for (int32_t i = 0; i < ChildCount(); ++i)
        if (SameName(Child(i)->Name, name)) return i;
    return 0;
}

void TUiLayered::SetActive(const std::string& name) {
    const std::string wanted = CutName(name);
    if (SameName(Active, wanted)) return;
    Active = wanted;
    if (ChildCount() > 0) Children.Move(IndexOfLayer(wanted), ChildCount() - 1);
}

TUiPage::TUiPage() {
    Name = "Page1";
    Left = 0;
    Height = 100;
}

// --- Bars and trackers ---

TUiBar::TUiBar() {
    Name = "Bar1";
    Left = 0;
    Caption = Name;
}

namespace {
// The products below need more than 64 bits for extreme settings.
__extension__ typedef __int128 TWide;
} // namespace

int32_t TrackPositionToX(int32_t value, int32_t min, int32_t max, int32_t width, int32_t margin) {
    const TWide track = static_cast<TWide>(width) - 2 * static_cast<TWide>(margin);
    const TWide range = static_cast<TWide>(max) - min;
    if (track <= 0 || range == 0) return margin;
    const TWide x = (static_cast<TWide>(value) - min) * track / range + margin;
    return Saturate(static_cast<int64_t>(std::clamp<TWide>(x, INT64_MIN, INT64_MAX)));
}

int32_t TrackXToPosition(int32_t x, int32_t min, int32_t max, int32_t width, int32_t margin) {
    const TWide track = static_cast<TWide>(width) - 2 * static_cast<TWide>(margin);
    if (track <= 0) return min;
    const TWide value =
        min + (static_cast<TWide>(x) - margin) * (static_cast<TWide>(max) - min) / track;
    return Saturate(static_cast<int64_t>(std::clamp<TWide>(value, INT64_MIN, INT64_MAX)));
}

TUiTracker::TUiTracker() {
    Name = "Tracker1";
    Left = 0;
    Height = 100;
}

int32_t TUiTracker::PositionToX(int32_t value) const {
    return TrackPositionToX(value, Min, Max, GetWidth(), Margin);
}

int32_t TUiTracker::XToPosition(int32_t x) const {
    return TrackXToPosition(x, Min, Max, GetWidth(), Margin);
}

void TUiTracker::MouseDown(int32_t x, int32_t, TMouseButton) {
    if (std::abs(static_cast<int64_t>(x) - PositionToX(Position)) < CursorWidth / 2)
        Dragging = true;
    else if (x >= GetWidth() / 2)
        Position = Saturate(static_cast<int64_t>(Position) + 1);
    else
        Position = Saturate(static_cast<int64_t>(Position) - 1);
    Fire(OnChange, *this);
}

void TUiTracker::MouseMove(int32_t x, int32_t) {
    if (!Dragging) return;
    Position = ClampPosition(XToPosition(x), Min, Max);
    Fire(OnChange, *this);
}

void TUiTracker::MouseUp(int32_t, int32_t, TMouseButton) {
    Dragging = false;
}

void TUiTracker::MouseLeave() {
    Dragging = false;
}

TCursor& TCursorList::Add(std::unique_ptr<TCursor> cursor) {
    FItems.push_back(std::move(cursor));
    return *FItems.back();
}

void TCursorList::Delete(int32_t index) {
    Items(index);
    FItems.erase(FItems.begin() + index);
}

void TCursorList::Move(int32_t from, int32_t to) {
    Items(from);
    Items(to);
    std::unique_ptr<TCursor> item = std::move(FItems[static_cast<size_t>(from)]);
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, std::move(item));
}

TUiMultiTracker::TUiMultiTracker() {
    Name = "MultiTracker1";
    Left = 0;
    Height = 16;
}

TCursor& TUiMultiTracker::AddCursor() {
    return Cursors.Add(std::make_unique<TCursor>());
}

int32_t TUiMultiTracker::PositionToX(int32_t value) const {
    return TrackPositionToX(value, Min, Max, GetWidth(), Margin);
}

int32_t TUiMultiTracker::XToPosition(int32_t x) const {
    return TrackXToPosition(x, Min, Max, GetWidth(), Margin);
}

int32_t TUiMultiTracker::CursorAt(int32_t x) const {
    for (int32_t i = 0; i < Cursors.Count(); ++i)
        if (std::abs(static_cast<int64_t>(x) - PositionToX(Cursor(i).Position)) < CursorWidth / 2)
            return i;
    return -1;
}

void TUiMultiTracker::MouseDown(int32_t x, int32_t, TMouseButton) {
    int32_t index = CursorAt(x);
    if (index < 0) return;
    Cursors.Move(index, 0);
    DragCursor = 0;
    Selected = 0;
    Fire(OnSelect, *this);
}

void TUiMultiTracker::MouseMove(int32_t x, int32_t) {
    if (DragCursor < 0 || DragCursor >= Cursors.Count()) return;
    Cursor(DragCursor).Position = ClampPosition(XToPosition(x), Min, Max);
    Fire(OnChange, *this);
}

void TUiMultiTracker::MouseUp(int32_t, int32_t, TMouseButton) {
    DragCursor = -1;
}

void TUiMultiTracker::MouseLeave() {
    DragCursor = -1;
}

// --- Layouts ---

namespace {

void ReadText(const TXMLNode& node, const char* name, std::string& field) {
    if (const TXMLNode* value = node.FindChild(name)) field = value->GetText();
}

void ReadBoolean(const TXMLNode& node, const char* name, bool& field) {
    const TXMLNode* value = node.FindChild(name);
    if (value == nullptr) return;
    std::string text = value->GetText();
    std::transform(text.begin(), text.end(), text.begin(), LowerAscii);
    field = text == "true";
}

// Answers whether the element is there.
bool ReadInteger(const TXMLNode& node, const char* name, int32_t& field) {
    const TXMLNode* value = node.FindChild(name);
    if (value == nullptr) return false;
    try {
        field = value->GetTextAsInteger();
    } catch (const EConvertError& e) {
        throw EConvertError(std::string(name) + ": " + e.what());
    }
    return true;
}

// Lines as a string list takes them: CR, LF or CR LF end a line; no empty last item.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

// An element as an error message names it: its name and its "name" attribute.
std::string Describe(const TXMLNode& node) {
    std::string text = node.Name;
    if (const TXMLAttribute* name = node.Attributes.Find("name"))
        text += " \"" + CutName(name->Value) + "\"";
    return text;
}

// Where the loader stands, for the log: the files being loaded and the widgets being
// loaded around the current element, innermost last. Layouts load on the main thread only.
std::vector<std::string> SourceTrail;
std::vector<std::string> WidgetTrail;

// One step on a trail for the life of the guard, however the load ends.
class TTrailStep {
public:
    TTrailStep(std::vector<std::string>& trail, std::string step) : Trail(trail) {
        Trail.push_back(std::move(step));
    }
    ~TTrailStep() { Trail.pop_back(); }
    TTrailStep(const TTrailStep&) = delete;
    TTrailStep& operator=(const TTrailStep&) = delete;

private:
    std::vector<std::string>& Trail;
};

// A layout that names no widget kind loads what it can; the log keeps the cause visible.
void LogUnknownKind(const TXMLNode& element, const std::string& consequence) {
    std::string line = "Layout";
    if (!SourceTrail.empty()) line += " " + SourceTrail.back();
    line += ": ";
    for (const std::string& widget : WidgetTrail)
        line += widget + "/";
    WriteLog(line + Describe(element) + ": no widget kind of that name; " + consequence);
}

// A widget of the element's kind, loaded; nullptr when the element names no kind. A
// conversion error names the element.
std::unique_ptr<TUiWidget> BuildWidget(const TXMLNode& definition) {
    std::unique_ptr<TUiWidget> widget = CreateWidget(definition);
    if (widget == nullptr) return nullptr;
    TTrailStep step(WidgetTrail, Describe(definition));
    try {
        widget->LoadFromXml(definition);
    } catch (const EConvertError& e) {
        throw EConvertError(Describe(definition) + "/" + e.what());
    }
    return widget;
}

template <class T> TWidgetFactory Kind() {
    return [] { return std::make_unique<T>(); };
}

} // namespace

bool TUiWidget::LoadFromXml(const TXMLNode& node) {
    if (const TXMLAttribute* name = node.Attributes.Find("name")) SetName(name->Value);
    ReadInteger(node, "LEFT", Left);
    ReadInteger(node, "TOP", Top);
    int32_t size = 0;
    if (ReadInteger(node, "WIDTH", size)) SetWidth(size);
    if (ReadInteger(node, "HEIGHT", size)) SetHeight(size);
    std::string name = Name;
    ReadText(node, "NAME", name);
    SetName(name);
    ReadText(node, "HINT", Hint);
    ReadBoolean(node, "VISIBLE", Visible);
    ReadBoolean(node, "ENABLED", Enabled);
    return true;
}

bool TUiContainer::LoadFromXml(const TXMLNode& node) {
    ReadInteger(node, "MARGINLEFT", MarginLeft);
    ReadInteger(node, "MARGINTOP", MarginTop);
    // A failure among the children stops them, not this container.
    if (const TXMLNode* children = node.FindChild("CHILDREN")) LoadChildren(*this, *children);
    return TUiWidget::LoadFromXml(node);
}

bool TUiWindow::LoadFromXml(const TXMLNode& node) {
    ReadText(node, "TITLE", Title);
    return TUiContainer::LoadFromXml(node);
}

bool TUiRollableWindow::LoadFromXml(const TXMLNode& node) {
    ReadBoolean(node, "OPEN", Open);
    return TUiWindow::LoadFromXml(node);
}

bool TUiButton::LoadFromXml(const TXMLNode& node) {
    ReadText(node, "CAPTION", Caption);
    return TUiWidget::LoadFromXml(node);
}

bool TUiEdit::LoadFromXml(const TXMLNode& node) {
    ReadText(node, "TEXT", Text);
    ReadInteger(node, "MAXLENGTH", MaxLength);
    ReadBoolean(node, "MASK", Mask);
    return TUiWidget::LoadFromXml(node);
}

bool TUiLabel::LoadFromXml(const TXMLNode& node) {
    ReadText(node, "CAPTION", Caption);
    return TUiWidget::LoadFromXml(node);
}

bool TUiList::LoadFromXml(const TXMLNode& node) {
    if (const TXMLNode* text = node.FindChild("TEXT")) Items = SplitLines(text->GetText());
    ReadInteger(node, "MARGINTOP", MarginTop);
    ReadBoolean(node, "SIMPLE", Simple);
    return TUiWidget::LoadFromXml(node);
}

bool TUiLayered::LoadFromXml(const TXMLNode& node) {
    // The layers must exist before one of them can be shown.
    TUiContainer::LoadFromXml(node);
    if (const TXMLNode* active = node.FindChild("ACTIVE")) SetActive(active->GetText());
    return true;
}

bool TUiPage::LoadFromXml(const TXMLNode& node) {
    ReadBoolean(node, "DRAWBACK", DrawBack);
    return TUiContainer::LoadFromXml(node);
}

bool TUiCheckBox::LoadFromXml(const TXMLNode& node) {
    ReadText(node, "CAPTION", Caption);
    ReadBoolean(node, "CHECKED", Checked);
    return TUiWidget::LoadFromXml(node);
}

bool TUiBar::LoadFromXml(const TXMLNode& node) {
    ReadText(node, "CAPTION", Caption);
    ReadBoolean(node, "SHOWCAPTION", ShowCaption);
    ReadBoolean(node, "SHOWPOSITION", ShowPosition);
    ReadInteger(node, "MIN", Min);
    ReadInteger(node, "MAX", Max);
    ReadInteger(node, "POSITION", Position);
    return TUiWidget::LoadFromXml(node);
}

bool TUiTracker::LoadFromXml(const TXMLNode& node) {
    ReadText(node, "CAPTION", Caption);
    ReadInteger(node, "MIN", Min);
    ReadInteger(node, "MAX", Max);
    ReadInteger(node, "POSITION", Position);
    ReadInteger(node, "CURSORWIDTH", CursorWidth);
    ReadInteger(node, "MARGIN", Margin);
    return TUiWidget::LoadFromXml(node);
}

bool TUiMultiTracker::LoadFromXml(const TXMLNode& node) {
    ReadInteger(node, "MIN", Min);
    ReadInteger(node, "MAX", Max);
    ReadInteger(node, "CURSORWIDTH", CursorWidth);
    ReadInteger(node, "MARGIN", Margin);
    return TUiWidget::LoadFromXml(node);
}

const TWidgetFactory* FindWidgetKind(const std::string& elementName) {
    static const std::map<std::string, TWidgetFactory> kinds = {
        {"WINDOW", Kind<TUiWindow>()},
        {"ROLLABLEWINDOW", Kind<TUiRollableWindow>()},
        {"BUTTON", Kind<TUiButton>()},
        {"LAYERED", Kind<TUiLayered>()},
        {"PAGE", Kind<TUiPage>()},
        {"TRACKER", Kind<TUiTracker>()},
        {"EDIT", Kind<TUiEdit>()},
        {"LIST", Kind<TUiList>()},
        {"IMAGE", Kind<TUiImage>()},
        {"LABEL", Kind<TUiLabel>()},
        {"CHECKBOX", Kind<TUiCheckBox>()},
        {"BAR", Kind<TUiBar>()},
        {"MULTITRACKER", Kind<TUiMultiTracker>()},
    };
    auto found = kinds.find(elementName);
    return found == kinds.end() ? nullptr : &found->second;
}

std::unique_ptr<TUiWidget> CreateWidget(const TXMLNode& node) {
    const TWidgetFactory* factory = FindWidgetKind(node.Name);
    return factory == nullptr ? nullptr : (*factory)();
}

bool LoadChildren(TUiContainer& container, const TXMLNode& node) {
    for (int i = 0; i < node.Children.Count(); ++i) {
        const TXMLNode& child = node.Children.Items(i);
        if (child.NodeType != ndTag) continue;
        std::unique_ptr<TUiWidget> widget = BuildWidget(child);
        if (widget == nullptr) {
            LogUnknownKind(child, "it and the elements after it are not built");
            return false;
        }
        container.AddChild(std::move(widget));
    }
    return true;
}

namespace {

std::string InLayout(const std::string& sourceName) {
    return "Layout " + sourceName + ": ";
}

void ReadDocument(TXMLDocument& document, TStream& stream, const std::string& sourceName) {
    try {
        document.LoadFromStream(stream);
    } catch (const EXMLError& e) {
        throw EXMLError(InLayout(sourceName) + e.what());
    }
}

// Builds with LoadChildren or LoadFromXml, naming the file in a conversion error.
template <class F> auto Build(const std::string& sourceName, F build) {
    try {
        return build();
    } catch (const EConvertError& e) {
        throw EConvertError(InLayout(sourceName) + e.what());
    }
}

} // namespace

bool LoadLayoutStream(TUiContainer& container, TStream& stream, const std::string& sourceName) {
    TXMLDocument document;
    ReadDocument(document, stream, sourceName);
    TTrailStep step(SourceTrail, sourceName);
    return Build(sourceName, [&] { return LoadChildren(container, document.Root()); });
}

bool LoadLayoutFile(TUiContainer& container, const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::fmOpenRead);
    return LoadLayoutStream(container, stream, fileName);
}

std::unique_ptr<TUiWidget> LoadWidgetFromStream(TStream& stream, const std::string& name,
                                                const std::string& sourceName) {
    TXMLDocument document;
    ReadDocument(document, stream, sourceName);
    TTrailStep step(SourceTrail, sourceName);
    const TXMLNode& root = document.Root();
    for (int i = 0; i < root.Children.Count(); ++i) {
        const TXMLNode& definition = root.Children.Items(i);
        const TXMLAttribute* attribute = definition.Attributes.Find("name");
        if (definition.NodeType != ndTag || attribute == nullptr || attribute->Value != name)
            continue;
        std::unique_ptr<TUiWidget> widget =
            Build(sourceName, [&] { return BuildWidget(definition); });
        if (widget == nullptr) LogUnknownKind(definition, "not built");
        return widget;
    }
    return nullptr;
}

std::unique_ptr<TUiWidget> LoadWidgetFromFile(const std::string& fileName,
                                              const std::string& name) {
    TFileStream stream(fileName, TFileStream::fmOpenRead);
    return LoadWidgetFromStream(stream, name, fileName);
}
