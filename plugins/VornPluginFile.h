#pragma once

#include "plugins/VornPlugin.h"

// Reads a model file into the active document ("File Import").
class VornPluginFileImport : public VornPlugin
{
public:
    const char* getTypeName() override;
    // The file extension without the dot.
    virtual const char* getExtension() = 0;
    // Shown in the file dialog.
    virtual const char* getFormatName() = 0;
    virtual bool import(const char* path) = 0;
    // Asked before import.
    virtual bool canImport(const char* path) = 0;
};

// Writes the active document to a file ("File Export").
class VornPluginFileExport : public VornPlugin
{
public:
    const char* getTypeName() override;
    virtual const char* getExtension() = 0;
    virtual const char* getFormatName() = 0;
    // Named so because "export" is a word of the language.
    virtual bool exportFile(const char* path) = 0;
    virtual bool canExport() = 0;
};
