// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Element readers and writers shared by the mesh and model formats, and their numbers.
//
// Numbers in data files always use "." as decimal separator whatever the process locale:
// the conversions here never consult it.
#pragma once

#include "assets/xmlparser.h"
#include "math/vectorunit.h"

#include <memory>
#include <string>
#include <string_view>

struct TVertex;
struct TFace;

// A finite decimal float; raises EConvertError for anything else or any extra byte.
float StrToFloat(std::string_view text);
// The shortest text that reads back as the same float.
std::string FloatToStr(float value);

// The direct child of that name; raises EXMLError "Missing element <name> in <parent>".
TXMLNode& RequireChild(const TXMLNode& node, const std::string& name);
// The text of a required child, converted.
int32_t ReadInteger(const TXMLNode& node, const std::string& name);
float ReadFloat(const TXMLNode& node, const std::string& name);

// A VECTOR element: children X, Y, Z, all required.
TVector ReadVector(const TXMLNode& node);
// A new element named "VECTOR" with children X, Y, Z; the caller inserts (and may rename) it.
std::unique_ptr<TXMLNode> WriteVector(const TVector& vector);

// Fill the record from a VERTEX or FACE element. Optional groups absent from the element
// leave those fields untouched; smooth is always written.
void ReadVertex(const TXMLNode& node, TVertex& vertex);
void ReadFace(const TXMLNode& node, TFace& face);
// A new VERTEX or FACE element with the id attribute and every group of the record.
std::unique_ptr<TXMLNode> WriteVertex(const TVertex& vertex, int32_t id);
std::unique_ptr<TXMLNode> WriteFace(const TFace& face, int32_t id);
