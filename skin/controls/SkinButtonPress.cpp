#include "skin/controls/SkinButtonPress.h"

void TqlButtonPress::SetDown(bool Value) {
    Down = Value;
    if (FHost.CanMorph()) FEffects.FollowDown(Value);
    FHost.RepaintFace();
    const TqlPressRules rules = FHost.PressRules();
    if (rules.GroupIndex != 0 && Down && !rules.AllowAllUp) ReleaseGroup();
}

void TqlButtonPress::ReleaseGroup() {
    TWinControl* parent = FSelf.Parent();
    if (!parent) return;
    const int group = FHost.PressRules().GroupIndex;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TqlButtonPress* other = FHost.PeerPress(parent->Controls(i));
        if (other && other != this && other->FHost.PressRules().GroupIndex == group && other->Down)
            other->SetDown(false);
    }
}

void TqlButtonPress::Press() {
    const TqlPressRules rules = FHost.PressRules();
    FEffects.StopAnimation();
    Pressed = true;
    if (!Down) {
        MouseIn = true;
        SetDown(true);
        if (rules.RepeatMode && rules.GroupIndex == 0)
            FEffects.StartRepeat(rules.RepeatInterval);
        else if (rules.GroupIndex != 0)
            Click();
        FGroupReleaseArmed = false;
    } else if (rules.GroupIndex != 0) {
        FGroupReleaseArmed = true;
    }
}

void TqlButtonPress::Release(bool Over) {
    const TqlPressRules rules = FHost.PressRules();
    Pressed = false;
    if (rules.GroupIndex != 0) {
        if (Down && rules.AllowAllUp && FGroupReleaseArmed && MouseIn && Over) {
            SetDown(false);
            Click();
        }
        return;
    }
    const bool wasDown = Down;
    FEffects.StopRepeat();
    if (Over) {
        SetDown(false);
        if (wasDown) Click();
    } else {
        // Dragged off: up without a click, and without the fade of a release.
        Down = false;
        FHost.RepaintFace();
    }
}

void TqlButtonPress::PointerEntered() {
    const TqlPressRules rules = FHost.PressRules();
    MouseIn = true;
    const bool act = rules.GroupIndex == 0 ? (!FHost.KeepsFocusedFace() || Down) : !Down;
    if (act) {
        if (Down) {
            if (FHost.CanMorph()) FEffects.SetMorphKf(true);
            FHost.RepaintFace();
        } else {
            Animate(true);
            RedrawOrMorph();
        }
    }
    if (Pressed && rules.RepeatMode && rules.GroupIndex == 0) FEffects.StartRepeat(rules.RepeatInterval);
}

void TqlButtonPress::PointerLeft(bool StayLit) {
    if (!StayLit) MouseIn = false;
    const bool act = FHost.PressRules().GroupIndex == 0 ? (!FHost.KeepsFocusedFace() || Down) : !Down;
    if (act) {
        Animate(false);
        RedrawOrMorph();
    }
    if (Pressed) FEffects.StopRepeat();
}

void TqlButtonPress::EnabledChanged() {
    if (FHost.CanMorph()) {
        FEffects.StopMorph();
        FEffects.SetMorphKf(false);
    }
    MouseIn = false;
    FHost.RepaintFace();
}

void TqlButtonPress::BeforeSkinChange() {
    FEffects.StopMorph();
    FEffects.StopAnimation();
    FEffects.SetMorphKf(false);
}

void TqlButtonPress::AfterSkinChange(bool Lit) {
    if (Lit && FHost.MorphAllowed()) FEffects.SetMorphKf(true);
}

void TqlButtonPress::RedrawOrMorph() {
    if (FHost.MorphAllowed())
        FEffects.StartMorph();
    else
        FHost.RepaintFace();
}

void TqlButtonPress::Animate(bool Forward) {
    if (FHost.CanAnimate()) FEffects.StartAnimation(Forward, FLook.FrameCount, FLook.AnimateInterval);
}

void TqlButtonPress::StopEffects() {
    FEffects.StopMorph();
    FEffects.StopAnimation();
    FEffects.StopRepeat();
}
