// The event banner strip: the labels laid over the top 16 lines of the
// picture during a run, the current attack event's name at the right and
// the near-miss banner "絶妙!!..." at the left.
#pragma once

// At window creation, once composeDc holds bannerFont and bannerDc exists:
// measures the labels and draws the strip into a new bitmap in bannerDc.
void BuildBannerStrip();
// Each step, after the craft is drawn: when a label is up, copies the
// top 16 lines of the frame to composeDc, ORs the labels over them and
// returns true; otherwise touches nothing and returns false.
bool ComposeTopStrip();
