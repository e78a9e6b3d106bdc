#pragma once

// Keeping a selected index (-1 for none) right while items come and go.

// After inserting an item at index.
inline int SelectionAfterInsert(int selected, int index) {
    return selected >= 0 && selected >= index ? selected + 1 : selected;
}

// After removing the item at index: the selection is gone with it.
inline int SelectionAfterRemove(int selected, int index) {
    if (selected == index) {
        return -1;
    }
    return index < selected ? selected - 1 : selected;
}
