// Rectangle and point arithmetic of the skinned parts.

#include "skin/core/qlUtils.h"

int WidthOfRect(const TRect& R) { return R.Right - R.Left; }

int HeightOfRect(const TRect& R) { return R.Bottom - R.Top; }

bool RectIsEmpty(const TRect& R) { return R.Right - R.Left < 1 || R.Bottom - R.Top < 1; }

void ZeroRect(TRect& R) { R = TRect{}; }

bool SameRect(const TRect& R1, const TRect& R2) { return R1 == R2; }

bool PointInRectIncl(const TRect& R, const TPoint& P) {
    return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}

bool RectInRect(const TRect& Inner, const TRect& Outer) {
    return Outer.Contains({Inner.Left, Inner.Top}) && Outer.Contains({Inner.Right, Inner.Bottom});
}

bool PointIsUnset(const TPoint& P) { return P.X == 0 || P.Y == 0; }

int IntMax(int A, int B) { return A > B ? A : B; }

int IntMin(int A, int B) { return A < B ? A : B; }
