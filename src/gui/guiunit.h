// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The widget toolkit: a tree of widgets under a desktop, event routing, the widget kinds
// and their loading from XML layout files. Drawing lives in the drawer modules.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class TStream;
class TXMLNode;
class TUiContainer;
class TUiDesktop;

// Raised for a misuse of a widget (a list index out of range).
class EGuiError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TMouseButton { mbNone, mbLeft, mbMiddle, mbRight };

class TUiWidget;
// Unset handlers are simply not called.
using TOnMouseButton =
    std::function<void(TUiWidget& sender, int32_t x, int32_t y, TMouseButton button)>;
using TOnMouseMove = std::function<void(TUiWidget& sender, int32_t x, int32_t y)>;
using TOnSimpleEvent = std::function<void(TUiWidget& sender)>;

// Names are cut to this many bytes.
constexpr size_t MaxNameLength = 255;

// Lower-case ASCII comparison used for widget and layer names.
bool SameName(const std::string& a, const std::string& b);

// The base of every widget. Coordinates of events are relative to the widget's top-left
// corner; Left and Top are relative to the parent's inner origin.
class TUiWidget {
public:
    TUiWidget();
    virtual ~TUiWidget();
    TUiWidget(const TUiWidget&) = delete;
    TUiWidget& operator=(const TUiWidget&) = delete;

    virtual int32_t GetWidth() const { return Width; }
    virtual int32_t GetHeight() const { return Height; }
    virtual void SetWidth(int32_t value) { Width = value; }
    virtual void SetHeight(int32_t value) { Height = value; }
    // Reads the widget's values from a layout element; always answers true.
    virtual bool LoadFromXml(const TXMLNode& node);

    virtual void MouseDown(int32_t x, int32_t y, TMouseButton button);
    virtual void MouseUp(int32_t x, int32_t y, TMouseButton button);
    virtual void MouseMove(int32_t x, int32_t y);
    virtual void KeyPress(char key);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}

    // Both edges inclusive; x and y in the parent's inner coordinates.
    bool ContainsPoint(int32_t x, int32_t y) const;
    // The nearest desktop among the ancestors; nullptr for a desktop itself.
    TUiDesktop* GetDesktop() const;
    bool IsFocused() const;
    void SetFocus();
    // Stores the name cut to MaxNameLength bytes.
    void SetName(const std::string& name);
    // Destroys the widget through the container that owns it; a widget without a parent
    // belongs to whoever holds it, and nothing happens. Handlers may call this on their
    // own widget or an ancestor: routing never touches a destroyed widget.
    void Destroy();

    // Tells whether the widget still exists after calling out to handlers that may
    // destroy it.
    class TLifeGuard {
    public:
        explicit TLifeGuard(const TUiWidget& widget) : FLife(widget.FLife) {}
        bool Alive() const { return !FLife.expired(); }

    private:
        std::weak_ptr<const int> FLife;
    };

    TUiContainer* Parent = nullptr;
    int32_t Top = 0;
    int32_t Left = 30;
    TOnMouseButton OnMouseDown;
    TOnMouseButton OnMouseUp;
    TOnMouseMove OnMouseMove;
    std::string Name;
    bool Enabled = true;
    bool Visible = true;
    std::string Hint;

protected:
    int32_t Width = 100;
    int32_t Height = 50;

private:
    std::shared_ptr<const int> FLife = std::make_shared<const int>(0);
};

// An ordered list of widget references; it owns nothing.
class TUiWidgetList {
public:
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    TUiWidget* Items(int32_t index) const { return FItems.at(static_cast<size_t>(index)); }
    void Add(TUiWidget* widget) { FItems.push_back(widget); }
    // Removes the first occurrence; answers its former index or -1.
    int32_t Remove(TUiWidget* widget);
    int32_t IndexOf(const TUiWidget* widget) const;
    // Moves the item at from so that it ends up at index to.
    void Move(int32_t from, int32_t to);

private:
    std::vector<TUiWidget*> FItems;
};

// A widget holding children; it owns them and destroys them first-to-last with itself.
class TUiContainer : public TUiWidget {
public:
    TUiContainer() = default;
    ~TUiContainer() override;

    void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
    void MouseUp(int32_t x, int32_t y, TMouseButton button) override;
    void MouseMove(int32_t x, int32_t y) override;
    bool LoadFromXml(const TXMLNode& node) override;

    // The topmost enabled, visible child containing (x, y), given in inner coordinates;
    // the container itself when none does. A deep search descends into containers.
    virtual TUiWidget* WidgetAt(int32_t x, int32_t y, bool deep);
    // Takes ownership, appends to Children and answers the widget.
    virtual TUiWidget* AddChild(std::unique_ptr<TUiWidget> widget);
    // Hands a child back to the caller (nullptr when it is not a child).
    virtual std::unique_ptr<TUiWidget> RemoveChild(TUiWidget* widget);
    // Depth-first from the last child, ignoring ASCII case; the container's own name is
    // not compared.
    virtual TUiWidget* FindByName(const std::string& name);

    int32_t ChildCount() const { return Children.Count(); }
    TUiWidget* Child(int32_t index) const { return Children.Items(index); }
    // AddChild keeping the widget's own type.
    template <class T> T* Add(std::unique_ptr<T> widget) {
        T* raw = widget.get();
        AddChild(std::move(widget));
        return raw;
    }

    int32_t MarginTop = 0;
    int32_t MarginLeft = 0;
    TUiWidgetList Children;

protected:
    // First child first; each leaves the list before it is destroyed.
    void DestroyChildren();

private:
    // The child under (x, y) that an event goes to, or nullptr for the container itself;
    // cx, cy become the coordinates relative to that child.
    TUiWidget* RouteTarget(int32_t x, int32_t y, int32_t& cx, int32_t& cy);
};

// Base of the windows: a modal level and a drag area.
class TUiAbstractWindow : public TUiContainer {
public:
    // x and y relative to the window's top-left corner.
    virtual bool IsDragArea(int32_t x, int32_t y) const = 0;

    int32_t ModalLevel = 0;
};

// The root of a tree: routes screen-coordinate events to its widgets.
class TUiDesktop : public TUiContainer {
public:
    TUiDesktop();
    ~TUiDesktop() override;

    void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
    void MouseUp(int32_t x, int32_t y, TMouseButton button) override;
    void MouseMove(int32_t x, int32_t y) override;
    void KeyPress(char key) override;
    TUiWidget* AddChild(std::unique_ptr<TUiWidget> widget) override;
    std::unique_ptr<TUiWidget> RemoveChild(TUiWidget* widget) override;
    using TUiContainer::Add;

    // No notification goes to the old or the new focused widget.
    void SetFocused(TUiWidget* widget) { Focused = widget; }
    void ClearFocus() { SetFocused(nullptr); }
    // Adds the window one modal level above the desktop and clears the focus.
    TUiAbstractWindow* ShowModal(std::unique_ptr<TUiAbstractWindow> window);
    // Drops every reference to the widget or a widget below it.
    void Forget(const TUiWidget& widget);

    TUiWidget* HoverWidget = nullptr;
    TUiAbstractWindow* DragWindow = nullptr;
    int32_t DragOffsetX = 0;
    int32_t DragOffsetY = 0;
    TUiWidget* Focused = nullptr;
    int32_t ModalLevel = 0;
    std::string CurrentHint;

private:
    // Whether the modal level lets pointer events reach the widget.
    bool Admits(const TUiWidget* widget) const;
};

class TUiWindow : public TUiAbstractWindow {
public:
    TUiWindow();
    bool LoadFromXml(const TXMLNode& node) override;
    // The title strip: y up to MarginTop inclusive.
    bool IsDragArea(int32_t x, int32_t y) const override;

    std::string Title;
};

// A window that a right press on its title strip rolls up to that strip.
class TUiRollableWindow : public TUiWindow {
public:
    TUiRollableWindow();
    bool LoadFromXml(const TXMLNode& node) override;
    void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
    // Height while open, MarginTop when rolled up.
    int32_t GetHeight() const override;

    bool Open = false;
};

class TUiButton : public TUiWidget {
public:
    TUiButton();
    bool LoadFromXml(const TXMLNode& node) override;
    void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
    void MouseUp(int32_t x, int32_t y, TMouseButton button) override;
    void MouseLeave() override;

    std::string Caption;
    TOnSimpleEvent OnClick;
    bool Down = false;
};

// A one-line text field edited at its end only.
class TUiEdit : public TUiWidget {
public:
    TUiEdit();
    bool LoadFromXml(const TXMLNode& node) override;
    void KeyPress(char key) override;

    std::string Text;
    TOnSimpleEvent OnEnter;
    bool Mask = false;
    // 0: unlimited.
    int32_t MaxLength = 0;
};

class TUiLabel : public TUiWidget {
public:
    TUiLabel();
    bool LoadFromXml(const TXMLNode& node) override;

    std::string Caption;
};

// Shows an OpenGL texture name set by its owner.
class TUiImage : public TUiWidget {
public:
    TUiImage();

    uint32_t Texture = 0;
};

// Rows of 12 pixels, the first MarginTop pixels down.
class TUiList : public TUiWidget {
public:
    static constexpr int32_t RowHeight = 12;

    TUiList();
    bool LoadFromXml(const TXMLNode& node) override;
    void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
    void MouseUp(int32_t x, int32_t y, TMouseButton button) override;
    void MouseLeave() override;
    // The item at ItemIndex; raises EGuiError when there is none.
    const std::string& SelectedItem() const;

    std::vector<std::string> Items;
    bool Pressed = false;
    TOnSimpleEvent OnSelect;
    int32_t ItemIndex = -1;
    int32_t MarginTop = 12;
    bool Simple = false;
};

// Children are layers; the last one is shown and hit.
class TUiLayered : public TUiContainer {
public:
    TUiLayered();
    bool LoadFromXml(const TXMLNode& node) override;
    void SetActive(const std::string& name);
    // The first child of that name (ASCII case ignored); 0 when none.
    int32_t IndexOfLayer(const std::string& name) const;

    std::string Active;
};

class TUiPage : public TUiContainer {
public:
    TUiPage();
    bool LoadFromXml(const TXMLNode& node) override;

    bool DrawBack = false;
};

class TUiCheckBox : public TUiWidget {
public:
    TUiCheckBox();
    bool LoadFromXml(const TXMLNode& node) override;
    void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
    void MouseUp(int32_t x, int32_t y, TMouseButton button) override;
    void MouseLeave() override;

    std::string Caption;
    TOnSimpleEvent OnClick;
    bool Checked = false;
    bool Pressed = false;
};

// A progress bar; no input of its own.
class TUiBar : public TUiWidget {
public:
    TUiBar();
    bool LoadFromXml(const TXMLNode& node) override;

    std::string Caption;
    bool ShowCaption = false;
    bool ShowPosition = true;
    int32_t Min = 0;
    int32_t Max = 100;
    int32_t Position = 0;
};

// Maps between values in Min..Max and x offsets in Margin..width - Margin. A range or a
// track of no extent puts every value at Margin and every x at Min.
int32_t TrackPositionToX(int32_t value, int32_t min, int32_t max, int32_t width, int32_t margin);
int32_t TrackXToPosition(int32_t x, int32_t min, int32_t max, int32_t width, int32_t margin);

// One value chosen by dragging its cursor or by stepping towards a press.
class TUiTracker : public TUiWidget {
public:
    TUiTracker();
    bool LoadFromXml(const TXMLNode& node) override;
    void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
    void MouseUp(int32_t x, int32_t y, TMouseButton button) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseLeave() override;
    int32_t PositionToX(int32_t value) const;
    int32_t XToPosition(int32_t x) const;

    std::string Caption;
    bool Dragging = false;
    int32_t Position = 0;
    int32_t Min = 0;
    int32_t Max = 10;
    int32_t CursorWidth = 16;
    int32_t Margin = 20;
    // Whether the skins draw the position as a number inside it.
    bool ShowPosition = true;
    TOnSimpleEvent OnChange;
};

class TCursor {
public:
    int32_t Position = 0;
};

// Owns its cursors.
class TCursorList {
public:
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    TCursor& Items(int32_t index) const { return *FItems.at(static_cast<size_t>(index)); }
    TCursor& Add(std::unique_ptr<TCursor> cursor);
    void Delete(int32_t index);
    void Move(int32_t from, int32_t to);

private:
    std::vector<std::unique_ptr<TCursor>> FItems;
};

// Several values on one track; the cursor grabbed last moves to the front of Cursors.
class TUiMultiTracker : public TUiWidget {
public:
    TUiMultiTracker();
    bool LoadFromXml(const TXMLNode& node) override;
    void MouseDown(int32_t x, int32_t y, TMouseButton button) override;
    void MouseUp(int32_t x, int32_t y, TMouseButton button) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseLeave() override;
    TCursor& AddCursor();
    TCursor& Cursor(int32_t index) const { return Cursors.Items(index); }
    // The lowest index of a cursor under x, or -1.
    int32_t CursorAt(int32_t x) const;
    int32_t PositionToX(int32_t value) const;
    int32_t XToPosition(int32_t x) const;

    TCursorList Cursors;
    int32_t DragCursor = -1;
    int32_t Min = 0;
    int32_t Max = 10;
    int32_t CursorWidth = 16;
    int32_t Margin = 20;
    TOnSimpleEvent OnChange;
    TOnSimpleEvent OnSelect;
    int32_t Selected = -1;
};

// Layouts. Element names select the kind: WINDOW, ROLLABLEWINDOW, BUTTON, LAYERED, PAGE,
// TRACKER, EDIT, LIST, IMAGE, LABEL, CHECKBOX, BAR, MULTITRACKER.
using TWidgetFactory = std::function<std::unique_ptr<TUiWidget>()>;
// The factory of a layout element name, or nullptr.
const TWidgetFactory* FindWidgetKind(const std::string& elementName);
// A new, unloaded widget of the element's kind; nullptr for any other element.
std::unique_ptr<TUiWidget> CreateWidget(const TXMLNode& node);
// Builds node's child elements into container in order; at the first element of no kind
// it stops, writes the element's name to the log and answers false (what was built stays).
bool LoadChildren(TUiContainer& container, const TXMLNode& node);
// Builds every widget of the document into container; answers LoadChildren's result for the
// top level. Errors name the file and the element: EXMLError, EConvertError.
bool LoadLayoutFile(TUiContainer& container, const std::string& fileName);
bool LoadLayoutStream(TUiContainer& container, TStream& stream, const std::string& sourceName);
// The first top-level widget whose "name" attribute is name (exactly), unattached;
// nullptr when there is none or when that element names no widget kind (logged).
std::unique_ptr<TUiWidget> LoadWidgetFromFile(const std::string& fileName, const std::string& name);
std::unique_ptr<TUiWidget> LoadWidgetFromStream(TStream& stream, const std::string& name,
                                                const std::string& sourceName);
