#include "layout/picture_record.h"

#include "datastore/binary_data.h"
#include "support/messages.h"

bool PictureRecordIsBitmap(const TBinaryData& record)
{
    if (record.Extension() == "bmp") {
        return true;
    }
    ShowPlainMessage("Bild \"" + record.Name() + "\" existiert nicht.");
    return false;
}
