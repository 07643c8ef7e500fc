#pragma once

class TBinaryData;

// Whether the picture record holds a Windows bitmap (extension "bmp"). When it
// does not, tells the developer that the picture does not exist.
bool PictureRecordIsBitmap(const TBinaryData& record);
