#pragma once

#include <string>
#include <vector>

#include "scan/Twain.h"

// A TWAIN connection that keeps each page as a JPEG file ("pic.jpg",
// "pic1.jpg", ...) in the scanner folder, in the order the pages came.
class CMyTwain : public CTwain {
public:
    static constexpr ULONG kJpegQuality = 60;

    explicit CMyTwain(std::wstring scannerFolder);
    // Deletes the pages of the last scan.
    ~CMyTwain() override;

    // Starts a new scan with no pages. The last scan's files stay until the
    // first new page arrives: its result may still be compared with them.
    void BeginScan();
    const std::vector<std::wstring>& ScannedPictures() const { return pictures_; }

protected:
    void CopyImage(TW_HANDLE image, const TW_IMAGEINFO& info) override;

private:
    std::wstring folder_;
    std::vector<std::wstring> pictures_;
    bool lastScanToDelete_ = false;

    void DeletePages();
};

// True when block (size bytes) holds a whole DIB a source may hand over: a
// header of sane width, height and depth, then the colour table and every
// row it promises.
bool IsCompleteDib(const void* block, size_t size);
