#pragma once
// What the default skin is built with: pictures laid out part by part, the
// descriptors filled beside them, and the INI text written from those
// descriptors, so a rectangle can never disagree with its picture.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/core/qlSkinData.h"
#include "skin/default/SkinPainter.h"
#include "skin/default/SkinPalette.h"

namespace defaultskin {

// One picture of the skin: parts are placed left to right in rows, and drawn
// once the picture's height is known.
class Atlas {
public:
    Atlas(std::string name, int width) : FName(std::move(name)), FWidth(width) {}
    const std::string& Name() const { return FName; }

    // count rectangles of w x h side by side in one row.
    std::vector<TRect> Row(int w, int h, int count = 1) {
        if (FX + count * (w + kGap) > FWidth) NewRow();
        std::vector<TRect> out;
        for (int i = 0; i < count; ++i) {
            out.push_back(Bounds(FX, FY, w, h));
            FX += w + kGap;
        }
        FRowHeight = std::max(FRowHeight, h);
        return out;
    }
    TRect Place(int w, int h) { return Row(w, h)[0]; }
    void Draw(std::function<void(TSkinPainter&)> draw) { FDraws.push_back(std::move(draw)); }

    TBitmap Render() const {
        TBitmap b(FWidth, FY + FRowHeight + kGap);
        b.SetPixelFormat(TPixelFormat::pf24bit);
        TSkinPainter p(b);
        p.Fill(Rect(0, 0, b.Width(), b.Height()), kWindow);
        for (const auto& d : FDraws) d(p);
        return b;
    }

private:
    static constexpr int kGap = 2;
    void NewRow() {
        FY += FRowHeight + kGap;
        FX = kGap;
        FRowHeight = 0;
    }
    std::string FName;
    int FWidth;
    int FX = kGap, FY = kGap, FRowHeight = 0;
    std::vector<std::function<void(TSkinPainter&)>> FDraws;
};

inline void DrawFace(Atlas& a, const TRect& r, const Face& f, int radius = 4) {
    a.Draw([=](TSkinPainter& p) { p.RoundRect(r, radius, f.width, f.border, f.top, f.bottom); });
}

// Nine-part geometry with fixed corners of the given size, every part stretched.
inline void NinePart(TqlDataSkinCustomControl& d, int corner) {
    const int w = d.SkinRect.Width(), h = d.SkinRect.Height();
    d.LTPoint = {corner, corner};
    d.RTPoint = {w - corner, corner};
    d.LBPoint = {corner, h - corner};
    d.RBPoint = {w - corner, h - corner};
    d.ClientRect = Rect(corner, corner, w - corner, h - corner);
    d.StretchEffect = d.LeftStretch = d.TopStretch = d.RightStretch = d.BottomStretch = true;
}

// The six images of an up and a down button, each in normal, hover and pressed states.
template <class D>
void SetUpDownButtons(D& d, const std::vector<TRect>& up, const std::vector<TRect>& down) {
    d.UpButtonRect = up[0];
    d.ActiveUpButtonRect = up[1];
    d.DownUpButtonRect = up[2];
    d.DownButtonRect = down[0];
    d.ActiveDownButtonRect = down[1];
    d.DownDownButtonRect = down[2];
}

template <class D>
void SetFont(D& d, TColor color = kText) {
    d.FontName = kFont;
    d.FontHeight = kFontHeight;
    d.FontColor = color;
}

class Builder {
public:
    int AddPicture(std::string name, int width) {
        FPictures.push_back(std::make_unique<Atlas>(std::move(name), width));
        return static_cast<int>(FPictures.size()) - 1;
    }
    Atlas& Pic(int index) { return *FPictures[static_cast<size_t>(index)]; }

    template <class T>
    T& Control(const std::string& name, const char* typeWord, int picture = -1) {
        auto d = std::make_unique<T>(name);
        d->PictureIndex = picture;
        T& ref = *d;
        FControls.push_back({typeWord, std::move(d)});
        return ref;
    }
    template <class T>
    T& Object(const std::string& name, const char* typeWord, int picture = -1) {
        auto d = std::make_unique<T>(name);
        d->ActivePictureIndex = picture;
        d->SkinRectInAPicture = picture >= 0;
        T& ref = *d;
        FObjects.push_back({typeWord, std::move(d)});
        return ref;
    }

    Atlas Frame{"frame.bmp", 200};
    Atlas FrameMask{"mask.bmp", 200};
    TqlDataSkinPopupWindow Popup;
    TqlDataSkinHintWindow Hint;
    TqlSkinColors Colors;

    TqlSkinContainer Finish(TqlSkinData& form);

private:
    template <class D>
    struct Entry {
        const char* typeWord;
        std::unique_ptr<D> d;
    };
    std::vector<std::unique_ptr<Atlas>> FPictures;
    std::vector<Entry<TqlDataSkinControl>> FControls;
    std::vector<Entry<TqlDataSkinObject>> FObjects;
};

// The parts of the default skin, each drawn into the picture given.
void AddFormFrame(Builder& b, TqlSkinData& form);
void AddButtons(Builder& b, int pic);
void AddCheckRadio(Builder& b, int pic);
void AddCaptionButtons(Builder& b, int pic);
void AddPanels(Builder& b, int pic);
void AddFields(Builder& b, int pic);
void AddBars(Builder& b, int pic);
void AddTabs(Builder& b, int pic);
void AddMenusAndHints(Builder& b, int pic);

}  // namespace defaultskin
