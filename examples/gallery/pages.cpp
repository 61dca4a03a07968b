// The gallery's four pages. Each page is a panel that fills the tabber's client area; its
// gadgets are placed for the size the page has when it is made, and their edge rules
// (GadgetSetLayout) say how they follow the page when the window is resized.
#include <initializer_list>

#include "examples/gallery/gallery.h"
#include "pixmap/pixmap.h"

namespace gallery {
namespace {

using namespace quardeln;

constexpr int32_t kPad = 10;  // margin around and between the gadgets of a page
constexpr int32_t kCaptionHeight = 18;
constexpr int32_t kFieldHeight = 22;
constexpr int32_t kButtonWidth = 80;
constexpr int32_t kButtonHeight = 26;
constexpr int32_t kLineHeight = 22;  // labels, check boxes and radio buttons

// Icons of the toolbar's strip that the lists use too.
constexpr int32_t kPageIcon = 0;
constexpr int32_t kFolderIcon = 1;
constexpr int32_t kListIcon = 4;
constexpr int32_t kTextIcon = 5;
constexpr int32_t kControlsIcon = 6;
constexpr int32_t kWebIcon = 7;
constexpr int32_t kHelpIcon = 9;
constexpr int32_t kNoIcon = -1;

// Sets the edge rules of `gadget` and returns it.
const GadgetRef& Anchor(const GadgetRef& gadget, int32_t left, int32_t right, int32_t top,
                        int32_t bottom) {
  GadgetSetLayout(gadget, left, right, top, bottom);
  return gadget;
}

GadgetRef NewPage(const GadgetRef& tabber) {
  GadgetRef page = NewPanel(0, 0, GadgetClientWidth(tabber), GadgetClientHeight(tabber), tabber);
  return Anchor(page, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
}

// A caption above a gadget, following that gadget's horizontal rules.
void Caption(const std::u16string& text, int32_t x, int32_t y, int32_t w, const GadgetRef& group,
             int32_t left, int32_t right) {
  Anchor(NewLabel(text, x, y, w, kCaptionHeight, group), left, right, LOCK_EDGE, LOCK_CENTRE);
}

// ---- Lists ----

struct IconItem {
  const char16_t* text;
  const char16_t* tip;
  int32_t icon;
};

void FillListBox(const GadgetRef& list, bool withIcons) {
  const IconItem items[] = {
      {u"Documents", u"A folder", kFolderIcon},       {u"Pictures", u"A folder", kFolderIcon},
      {u"Letter.txt", u"A text file", kPageIcon},     {u"Notes.txt", u"A text file", kPageIcon},
      {u"Shopping list", u"A list", kListIcon},       {u"Story", u"Some text", kTextIcon},
      {u"Settings", u"Controls", kControlsIcon},      {u"Web site", u"A link", kWebIcon},
      {u"Help", u"Questions and answers", kHelpIcon},
  };
  for (const IconItem& item : items) {
    GadgetAddItem(list, item.text, 0, withIcons ? item.icon : kNoIcon, item.tip,
                  NewText(item.text));
  }
}

void FillDropDown(const GadgetRef& combo) {
  for (const char16_t* day :
       {u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"}) {
    GadgetAddItem(combo, day, 0, kNoIcon, u"", NewText(day));
  }
  GadgetSelectItem(combo, 0);
}

void FillEditable(const GadgetRef& combo) {
  for (const char16_t* search : {u"quardeln", u"gadget gallery", u"event queue"}) {
    GadgetAddItem(combo, search, 0, kNoIcon, u"", NewText(search));
  }
}

void AddLeaves(const GadgetRef& node, std::initializer_list<const char16_t*> texts, int32_t icon) {
  for (const char16_t* text : texts) TreeViewAddNode(text, node, icon);
}

// The toolkit's gadgets by kind, three levels deep.
void FillTreeView(const GadgetRef& tree, bool withIcons) {
  const int32_t folder = withIcons ? kFolderIcon : kNoIcon;
  const int32_t leaf = withIcons ? kPageIcon : kNoIcon;
  const GadgetRef root = TreeViewRoot(tree);
  AddLeaves(TreeViewAddNode(u"Containers", root, folder), {u"Window", u"Panel", u"Tabber"}, leaf);
  const GadgetRef controls = TreeViewAddNode(u"Controls", root, folder);
  AddLeaves(TreeViewAddNode(u"Buttons", controls, folder),
            {u"Push button", u"Check box", u"Radio button", u"OK and Cancel"}, leaf);
  AddLeaves(controls, {u"Label", u"Text field", u"Slider", u"Progress bar"}, leaf);
  AddLeaves(TreeViewAddNode(u"Lists", root, folder),
            {u"List box", u"Combo box", u"Tree view", u"Toolbar"}, leaf);
  AddLeaves(TreeViewAddNode(u"Views", root, folder),
            {u"Text area", u"HTML view", u"Canvas", u"Menu"}, leaf);
}

// ---- Controls ----

// A group box of the Controls page, placed in one quarter of the page: (column, row) is
// (0, 0) top left to (1, 1) bottom right. The inner edges follow the page by scale.
GadgetRef NewQuarter(const GadgetRef& page, int32_t column, int32_t row,
                     const std::u16string& title) {
  const int32_t w = (GadgetClientWidth(page) - 3 * kPad) / 2;
  const int32_t h = (GadgetClientHeight(page) - 3 * kPad) / 2;
  GadgetRef group =
      NewPanel(kPad + column * (w + kPad), kPad + row * (h + kPad), w, h, page, PANEL_GROUP, title);
  return Anchor(group, column ? LOCK_SCALE : LOCK_EDGE, column ? LOCK_EDGE : LOCK_SCALE,
                row ? LOCK_SCALE : LOCK_EDGE, row ? LOCK_EDGE : LOCK_SCALE);
}

void BuildButtons(ControlsPage& p, GadgetNames& names) {
  const GadgetRef group = NewQuarter(p.panel, 0, 0, u"Buttons");
  const int32_t w = GadgetClientWidth(group);
  const int32_t h = GadgetClientHeight(group);
  const int32_t second = w / 2;
  p.pushButton = names.Add(NewButton(u"Push me", 8, 6, 100, kButtonHeight, group), u"push button");
  p.checkBox = names.Add(
      NewButton(u"Check box", second, 8, w - second - 8, kLineHeight, group, BUTTON_CHECKBOX),
      u"check box");
  p.radios[0] = names.Add(
      NewButton(u"Option one", 8, 44, second - 16, kLineHeight, group, BUTTON_RADIO), u"radio one");
  p.radios[1] = names.Add(
      NewButton(u"Option two", second, 44, w - second - 8, kLineHeight, group, BUTTON_RADIO),
      u"radio two");
  ButtonSetState(p.radios[0], 1);
  const GadgetRef disabled = NewButton(u"Disabled", 8, 76, 100, kButtonHeight, group);
  GadgetDisable(disabled);
  p.mixedBox = names.Add(
      NewButton(u"Mixed state", second, 78, w - second - 8, kLineHeight, group, BUTTON_CHECKBOX),
      u"mixed check box");
  ButtonSetState(p.mixedBox, -1);
  for (const GadgetRef& left : {p.pushButton, p.radios[0], disabled}) {
    Anchor(left, LOCK_EDGE, LOCK_CENTRE, LOCK_EDGE, LOCK_CENTRE);
  }
  for (const GadgetRef& right : {p.checkBox, p.radios[1], p.mixedBox}) {
    Anchor(right, LOCK_SCALE, LOCK_EDGE, LOCK_EDGE, LOCK_CENTRE);
  }
  // OK and Cancel keep to the bottom right corner.
  const int32_t y = h - kButtonHeight - 8;
  p.okButton = names.Add(
      NewButton(u"OK", w - 2 * kButtonWidth - 16, y, kButtonWidth, kButtonHeight, group, BUTTON_OK),
      u"OK button");
  p.cancelButton = names.Add(NewButton(u"Cancel", w - kButtonWidth - 8, y, kButtonWidth,
                                       kButtonHeight, group, BUTTON_CANCEL),
                             u"Cancel button");
  Anchor(p.okButton, LOCK_CENTRE, LOCK_EDGE, LOCK_CENTRE, LOCK_EDGE);
  Anchor(p.cancelButton, LOCK_CENTRE, LOCK_EDGE, LOCK_CENTRE, LOCK_EDGE);
}

void BuildSliders(ControlsPage& p, GadgetNames& names) {
  const GadgetRef group = NewQuarter(p.panel, 1, 0, u"Sliders and progress");
  const int32_t w = GadgetClientWidth(group) - 16;
  p.scrollBar =
      names.Add(NewSlider(8, 8, w, 17, group, SLIDER_SCROLLBAR | SLIDER_HORIZONTAL), u"scroll bar");
  SliderSetRange(p.scrollBar, 10, 100);  // a thumb of 10 in 100
  p.trackBar =
      names.Add(NewSlider(8, 34, w, 30, group, SLIDER_TRACKBAR | SLIDER_HORIZONTAL), u"track bar");
  SliderSetRange(p.trackBar, 0, 10);
  p.stepper = names.Add(NewSlider(8, 72, 18, 24, group, SLIDER_STEPPER), u"stepper");
  SliderSetRange(p.stepper, 0, 10);
  SliderSetValue(p.stepper, 5);
  Anchor(p.stepper, LOCK_EDGE, LOCK_CENTRE, LOCK_EDGE, LOCK_CENTRE);
  p.stepperLabel = NewLabel(u"Stepper value: 5", 32, 75, w - 24, kLineHeight, group);
  p.progressBar = names.Add(NewProgressBar(8, 108, w, 18, group), u"progress bar");
  for (const GadgetRef& wide : {p.scrollBar, p.trackBar, p.stepperLabel, p.progressBar}) {
    Anchor(wide, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_CENTRE);
  }
  Anchor(NewLabel(u"A timer moves the progress bar.", 8, 130, w, kLineHeight, group), LOCK_EDGE,
         LOCK_EDGE, LOCK_EDGE, LOCK_CENTRE);
}

void BuildLabels(ControlsPage& p) {
  const GadgetRef group = NewQuarter(p.panel, 0, 1, u"Labels");
  const int32_t w = GadgetClientWidth(group) - 16;
  const struct {
    const char16_t* text;
    int32_t style;
  } labels[] = {
      {u"A label without a frame", LABEL_LEFT},
      {u"A framed label, centred", LABEL_FRAME | LABEL_CENTER},
      {u"A sunken label, to the right", LABEL_SUNKENFRAME | LABEL_RIGHT},
  };
  int32_t y = 8;
  for (const auto& label : labels) {
    Anchor(NewLabel(label.text, 8, y, w, kLineHeight, group, label.style), LOCK_EDGE, LOCK_EDGE,
           LOCK_EDGE, LOCK_CENTRE);
    y += kLineHeight + 8;
  }
  // An etched frame is a separator line, as wide as it is given.
  Anchor(NewLabel(u"", 8, y + 4, w, 2, group, LABEL_ETCHEDFRAME), LOCK_EDGE, LOCK_EDGE, LOCK_EDGE,
         LOCK_CENTRE);
  Anchor(NewLabel(u"Above: an etched separator", 8, y + 12, w, kLineHeight, group), LOCK_EDGE,
         LOCK_EDGE, LOCK_EDGE, LOCK_CENTRE);
}

// A little landscape drawn pixel by pixel: sky, sun and a hill. Upright, as the panel
// that stretches it.
PixmapRef MakeLandscape() {
  constexpr int32_t kWidth = 64;
  constexpr int32_t kHeight = 100;
  PixmapRef picture = TPixmap::Create(kWidth, kHeight, PF_RGB888);
  for (int32_t y = 0; y < kHeight; ++y) {
    for (int32_t x = 0; x < kWidth; ++x) {
      const int32_t dx = x - 40;
      const int32_t dy = y - 36;
      const int32_t hill = 70 + (x - 24) * (x - 24) / 60;
      // The sky, lighter towards the horizon.
      uint32_t colour = 0xFF000000 | static_cast<uint32_t>(60 + y) << 16 |
                        static_cast<uint32_t>(110 + y) << 8 | 230;
      if (dx * dx + dy * dy < 100) colour = 0xFFFFD040;  // the sun
      if (y > hill) colour = 0xFF3C8C3C;                 // the hill
      picture->WritePixel(x, y, colour);
    }
  }
  return picture;
}

void BuildPanels(ControlsPage& p, GadgetNames& names) {
  const GadgetRef group = NewQuarter(p.panel, 1, 1, u"Panels and canvas");
  const int32_t w = GadgetClientWidth(group);
  const int32_t h = GadgetClientHeight(group) - 8 - kCaptionHeight - 4;
  const int32_t cell = (w - 32) / 3;  // three panels, 8 pixels apart
  p.colourPanel = NewPanel(8, 8, cell, h - 8, group, PANEL_SUNKEN);
  PanelSetColour(p.colourPanel, 250, 200, 80);
  p.picturePanel = NewPanel(16 + cell, 8, cell, h - 8, group, PANEL_SUNKEN);
  PanelSetPixmap(p.picturePanel, MakeLandscape(), PANELPIXMAP_STRETCH);
  p.canvas = names.Add(NewCanvas(24 + 2 * cell, 8, w - 32 - 2 * cell, h - 8, group), u"canvas");
  const char16_t* captions[] = {u"Colour", u"Picture", u"Canvas"};
  const GadgetRef cells[] = {p.colourPanel, p.picturePanel, p.canvas};
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t left = i == 0 ? LOCK_EDGE : LOCK_SCALE;
    const int32_t right = i == 2 ? LOCK_EDGE : LOCK_SCALE;
    Anchor(cells[i], left, right, LOCK_EDGE, LOCK_EDGE);
    Anchor(NewLabel(captions[i], GadgetLeft(cells[i]), h + 4, GadgetGetWidth(cells[i]),
                    kCaptionHeight, group, LABEL_CENTER),
           left, right, LOCK_CENTRE, LOCK_EDGE);
  }
}

}  // namespace

// Three columns: the list box, the two combo boxes with a hint, the tree view.
ListsPage BuildListsPage(const GadgetRef& tabber, const IconStripRef& icons, GadgetNames& names) {
  ListsPage p;
  p.panel = NewPage(tabber);
  const int32_t column = (GadgetClientWidth(p.panel) - 4 * kPad) / 3;
  const int32_t bottom = GadgetClientHeight(p.panel) - kPad;
  const int32_t top = kPad + kCaptionHeight + 2;
  const int32_t x[] = {kPad, 2 * kPad + column, 3 * kPad + 2 * column};

  Caption(u"List box", x[0], kPad, column, p.panel, LOCK_EDGE, LOCK_SCALE);
  p.listBox = names.Add(NewListBox(x[0], top, column, bottom - top, p.panel), u"list box");
  Anchor(p.listBox, LOCK_EDGE, LOCK_SCALE, LOCK_EDGE, LOCK_EDGE);
  if (icons) GadgetSetIconStrip(p.listBox, icons);
  FillListBox(p.listBox, icons != nullptr);

  Caption(u"Drop-down list", x[1], kPad, column, p.panel, LOCK_SCALE, LOCK_SCALE);
  p.dropDown = names.Add(NewComboBox(x[1], top, column, kFieldHeight, p.panel), u"drop-down list");
  FillDropDown(p.dropDown);
  Caption(u"Editable combo box", x[1], top + 40, column, p.panel, LOCK_SCALE, LOCK_SCALE);
  p.editable = names.Add(NewComboBox(x[1], top + 40 + kCaptionHeight + 2, column, kFieldHeight,
                                     p.panel, COMBOBOX_EDITABLE),
                         u"editable combo box");
  FillEditable(p.editable);
  for (const GadgetRef& combo : {p.dropDown, p.editable}) {
    Anchor(combo, LOCK_SCALE, LOCK_SCALE, LOCK_EDGE, LOCK_CENTRE);
  }
  Anchor(NewLabel(u"Choose an item in any of the lists, type a search, or open a branch of the "
                  u"tree: the status bar below shows each event as the program receives it.",
                  x[1], top + 110, column, 90, p.panel),
         LOCK_SCALE, LOCK_SCALE, LOCK_EDGE, LOCK_CENTRE);

  Caption(u"Tree view", x[2], kPad, column, p.panel, LOCK_SCALE, LOCK_EDGE);
  p.treeView = names.Add(NewTreeView(x[2], top, column, bottom - top, p.panel), u"tree view");
  Anchor(p.treeView, LOCK_SCALE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  if (icons) GadgetSetIconStrip(p.treeView, icons);
  FillTreeView(p.treeView, icons != nullptr);
  return p;
}

// A small form: two captioned fields, then a text area that takes the rest of the page.
TextPage BuildTextPage(const GadgetRef& tabber, GadgetNames& names) {
  constexpr int32_t kCaptionWidth = 80;
  constexpr int32_t kFieldX = kPad + kCaptionWidth + 8;
  TextPage p;
  p.panel = NewPage(tabber);
  const int32_t w = GadgetClientWidth(p.panel);
  const int32_t h = GadgetClientHeight(p.panel);
  Caption(u"User name", kPad, kPad + 3, kCaptionWidth, p.panel, LOCK_EDGE, LOCK_CENTRE);
  p.nameField = names.Add(NewTextField(kFieldX, kPad, w - kFieldX - kPad, kFieldHeight, p.panel),
                          u"name field");
  Caption(u"Password", kPad, kPad + 35, kCaptionWidth, p.panel, LOCK_EDGE, LOCK_CENTRE);
  p.passwordField = names.Add(NewTextField(kFieldX, kPad + 32, w - kFieldX - kPad, kFieldHeight,
                                           p.panel, TEXTFIELD_PASSWORD),
                              u"password field");
  for (const GadgetRef& field : {p.nameField, p.passwordField}) {
    Anchor(field, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_CENTRE);
  }
  GadgetSetText(p.nameField, u"Ada");

  const int32_t top = kPad + 70;
  Caption(u"Notes (a text area that wraps its lines)", kPad, top, w - 2 * kPad, p.panel, LOCK_EDGE,
          LOCK_EDGE);
  p.notesArea =
      names.Add(NewTextArea(kPad, top + kCaptionHeight + 2, w - 2 * kPad,
                            h - top - kCaptionHeight - 2 - kPad, p.panel, TEXTAREA_WORDWRAP),
                u"notes");
  Anchor(p.notesArea, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  GadgetSetText(p.notesArea,
                u"Quardeln is an event-driven GUI toolkit. Every gadget of this gallery reports "
                u"what the user does as an event, and the status bar shows the last one.\r\n\r\n"
                u"Type here: each change is an event too.");
  return p;
}

// The four group boxes of buttons, sliders, labels and panels.
ControlsPage BuildControlsPage(const GadgetRef& tabber, GadgetNames& names) {
  ControlsPage p;
  p.panel = NewPage(tabber);
  BuildButtons(p, names);
  BuildSliders(p, names);
  BuildLabels(p);
  BuildPanels(p, names);
  return p;
}

// An address field with its button, and the HTML view in a sunken frame below.
WebPage BuildWebPage(const GadgetRef& tabber, GadgetNames& names) {
  constexpr int32_t kCaptionWidth = 60;
  constexpr int32_t kFieldX = kPad + kCaptionWidth;
  WebPage p;
  p.panel = NewPage(tabber);
  const int32_t w = GadgetClientWidth(p.panel);
  const int32_t h = GadgetClientHeight(p.panel);
  Caption(u"Address", kPad, kPad + 3, kCaptionWidth, p.panel, LOCK_EDGE, LOCK_CENTRE);
  const int32_t buttonX = w - kPad - kButtonWidth;
  p.addressField = names.Add(
      NewTextField(kFieldX, kPad, buttonX - 8 - kFieldX, kFieldHeight, p.panel), u"address field");
  Anchor(p.addressField, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_CENTRE);
  GadgetSetText(p.addressField, u"https://example.com/");
  p.goButton = names.Add(NewButton(u"Go", buttonX, kPad - 2, kButtonWidth, kButtonHeight, p.panel),
                         u"Go button");
  Anchor(p.goButton, LOCK_CENTRE, LOCK_EDGE, LOCK_EDGE, LOCK_CENTRE);

  const int32_t top = kPad + kButtonHeight + 8;
  const GadgetRef frame = NewPanel(kPad, top, w - 2 * kPad, h - top - kPad, p.panel, PANEL_SUNKEN);
  Anchor(frame, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  p.htmlView = names.Add(
      NewHtmlView(0, 0, GadgetClientWidth(frame), GadgetClientHeight(frame), frame), u"HTML view");
  Anchor(p.htmlView, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  return p;
}

}  // namespace gallery
