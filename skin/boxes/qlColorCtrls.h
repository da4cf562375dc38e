#pragma once
// A combo box of colours.

#include <vector>

#include "skin/boxes/qlSkinBoxCtrls.h"

class TqlSkinColorComboBox : public TqlSkinCustomComboBox {
public:
    explicit TqlSkinColorComboBox(TComponent* owner);
    // The colour of the chosen item (black when none is chosen).
    TColor Selected() const;
    void SetSelected(TColor color);
    // The colours of the items, in item order.
    const std::vector<TColor>& Colors() const { return FColors; }
    void AddColor(const std::string& name, TColor color);

private:
    std::vector<TColor> FColors;
};
