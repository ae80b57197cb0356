#pragma once

#include <QStringList>

#include "platform/forms/text_control.h"

namespace forms {

// A list box of text lines. Click is raised whenever the selection (ListIndex) changes, by the
// mouse, the keyboard or code; setting the index it already has raises nothing, so lists that
// keep each other in step do not call each other without end.
class ListBox : public TextControl {
  public:
    ListBox(Container& container, QString name);

    ControlKind kind() const override { return ControlKind::ListBox; }

    // AddItem: at the end, or before `index` (0..ListCount; else a run-time failure).
    void addItem(const QString& item, std::optional<int> index = std::nullopt);
    void removeItem(int index);  // 0..ListCount-1, else a run-time failure
    void clear();
    int listCount() const { return int(items_.size()); }
    // List(i): the line; an index past the end reads as an empty text, as in the original.
    QString list(int index) const;
    void setList(int index, const QString& item);
    const QStringList& items() const { return items_; }

    int listIndex() const { return listIndex_; }  // -1 when nothing is selected
    void setListIndex(int index);                 // -1..ListCount-1, else a run-time failure
    int topIndex() const { return topIndex_; }
    void setTopIndex(int index);  // 0..ListCount-1 (0 when empty), else a run-time failure

    // The height of one line in pixels, for drawing and for finding the line under the mouse.
    float itemHeight() const { return lineHeight(font()); }

  protected:
    void copyPropertiesFrom(const Control& source) override;
    void keyDownAction(int keyCode, int shift) override;
    void pressAction(QPointF at, int button) override;
    bool clicksOnRelease(int button) const override { return false; }
    bool doubleClicks(int button) const override { return button == 1; }

  private:
    void select(int index);  // changes the selection, raising Click when it moved
    int visibleRows() const;

    QStringList items_;
    int listIndex_ = -1;
    int topIndex_ = 0;
};

}  // namespace forms
