// An XmlLite reader (part of Windows) over bytes in memory, with no DTD: a document
// type declaration makes the reading fail, so no entity of the document's own is ever
// expanded and nothing is fetched. Nesting deeper than `maxDepth` elements fails too.
#pragma once
#include "framework/Owned.h"
#include <objidl.h>
#include <xmllite.h>
#include <string_view>

struct XmlLiteReader {
    fw::ComPtr<IStream> stream;
    fw::ComPtr<IXmlReader> reader;  // null when it could not be made
    size_t budget = 0;              // nodes left: no node takes less than a byte of input

    // The next node, as IXmlReader::Read gives it; E_FAIL once more nodes came than the
    // input has bytes, which only a reader going round in circles on broken input does
    // (Wine's, at a text cut off at the end).
    HRESULT Read(XmlNodeType* type) {
        if (budget == 0) return E_FAIL;
        --budget;
        return reader->Read(type);
    }
};

// The bytes must outlive the reader.
XmlLiteReader OpenXmlReader(std::string_view bytes, UINT maxDepth);
