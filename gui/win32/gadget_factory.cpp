// The class-specific construction of Windows gadgets. Classes without a case here are
// not supported yet and the driver makes nothing for them.
#include "gui/win32/win32_api.h"
//
#include "gui/win32/gadget_factory.h"
#include "gui/win32/windows_button.h"
#include "gui/win32/windows_combo_box.h"
#include "gui/win32/windows_html_view.h"
#include "gui/win32/windows_icon_strip.h"
#include "gui/win32/windows_label.h"
#include "gui/win32/windows_list_box.h"
#include "gui/win32/windows_menu.h"
#include "gui/win32/windows_panel.h"
#include "gui/win32/windows_progress_bar.h"
#include "gui/win32/windows_slider.h"
#include "gui/win32/windows_tabber.h"
#include "gui/win32/windows_text_area.h"
#include "gui/win32/windows_text_field.h"
#include "gui/win32/windows_tool_bar.h"
#include "gui/win32/windows_tree_node.h"
#include "gui/win32/windows_tree_view.h"
#include "gui/win32/windows_window.h"

namespace quardeln {

GadgetRef NewWindowsGadgetOfClass(int32_t class_, const std::u16string& text,
                                  const GadgetRef& group, int32_t style) {
  switch (class_) {
    case GADGETCLASS_WINDOW:
      return TWindowsWindow::Create(group, style);
    case GADGETCLASS_BUTTON:
      return TWindowsButton::Create(group, style);
    case GADGETCLASS_PANEL:
      return TWindowsPanel::Create(group, style);
    case GADGETCLASS_TEXTFIELD:
      return TWindowsTextField::Create(group, style);
    case GADGETCLASS_TEXTAREA:
      return TWindowsTextArea::Create(group, style);
    case GADGETCLASS_COMBOBOX:
      return TWindowsComboBox::Create(group, style);
    case GADGETCLASS_LISTBOX:
      return TWindowsListBox::Create(group, style);
    case GADGETCLASS_LABEL:
      return TWindowsLabel::Create(group, style);
    case GADGETCLASS_SLIDER:
      return TWindowsSlider::Create(group, style);
    case GADGETCLASS_PROGBAR:
      return TWindowsProgressBar::Create(group, style);
    case GADGETCLASS_MENU:  // the style is the menu's tag
      return TWindowsMenu::Create(text, group, style);
    case GADGETCLASS_TOOLBAR:
      return TWindowsToolBar::Create(group, style);
    case GADGETCLASS_TABBER:
      return TWindowsTabber::Create(group, style);
    case GADGETCLASS_HTMLVIEW:
      return TWindowsHTMLView::Create(group, style);
    case GADGETCLASS_TREEVIEW:
      return TWindowsTreeView::Create(group, style);
    case GADGETCLASS_NODE:  // the style is the node's icon
      return TWindowsTreeNode::CreateUnder(group, text, style);
    default:
      return nullptr;
  }
}

IconStripRef NewWindowsIconStrip(const ObjectRef& source) {
  return TWindowsIconStrip::Create(source);
}

}  // namespace quardeln
