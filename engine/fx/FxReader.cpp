#include "engine/fx/FxReader.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/fx/FxLexer.h"
#include "engine/fx/FxStates.h"

namespace quellor {

namespace {

bool OneOf(std::string_view w, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (FxNameEquals(w, n)) return true;
  return false;
}

bool IsTextureType(std::string_view t) {
  return OneOf(t, {"texture", "texture1D", "texture2D", "texture3D", "textureCUBE"});
}

// Sampler types are HLSL keywords and as such case-sensitive (textures are not).
bool IsSamplerType(std::string_view t) {
  return t == "sampler" || t == "sampler1D" || t == "sampler2D" || t == "sampler3D" || t == "samplerCUBE";
}

FxTextureDim DimOfType(std::string_view t) {
  if (t.size() >= 2) {
    std::string_view tail = t.substr(t.size() - 2);
    if (FxNameEquals(tail, "1D")) return FxTextureDim::Tex1D;
    if (FxNameEquals(tail, "3D")) return FxTextureDim::Tex3D;
    if (FxNameEquals(tail, "BE")) return FxTextureDim::Cube;
  }
  return FxTextureDim::Tex2D;
}

bool IsGlobalModifier(std::string_view w) {
  return OneOf(w, {"static", "inline", "uniform", "extern", "shared", "const", "volatile", "row_major",
                   "column_major", "precise", "nointerpolation", "groupshared", "snorm", "unorm"});
}

bool IsParamModifier(std::string_view w) {
  return OneOf(w, {"in", "out", "inout", "uniform", "const", "linear", "centroid", "nointerpolation",
                   "noperspective", "sample", "point", "line", "triangle", "lineadj", "triangleadj", "precise"});
}

// Shape of a numeric HLSL type: rows x columns, 0 x 0 when not numeric.
void TypeShape(std::string_view t, int& rows, int& cols, FxScalar& scalar) {
  rows = cols = 0;
  scalar = FxScalar::Float;
  static const struct {
    const char* Base;
    FxScalar Scalar;
  } kBases[] = {{"float", FxScalar::Float}, {"half", FxScalar::Float}, {"double", FxScalar::Float},
                {"fixed", FxScalar::Float}, {"min16float", FxScalar::Float}, {"min10float", FxScalar::Float},
                {"int", FxScalar::Int}, {"uint", FxScalar::Int}, {"dword", FxScalar::Int},
                {"min16int", FxScalar::Int}, {"min16uint", FxScalar::Int}, {"bool", FxScalar::Bool}};
  if (t == "vector") {
    rows = 1, cols = 4;
    return;
  }
  if (t == "matrix") {
    rows = cols = 4;
    return;
  }
  for (const auto& b : kBases) {
    std::string_view base(b.Base);
    if (t.substr(0, base.size()) != base) continue;
    std::string_view rest = t.substr(base.size());
    scalar = b.Scalar;
    if (rest.empty()) {
      rows = cols = 1;
    } else if (rest.size() == 1 && rest[0] >= '1' && rest[0] <= '4') {
      rows = 1, cols = rest[0] - '0';
    } else if (rest.size() == 3 && rest[1] == 'x' && rest[0] >= '1' && rest[0] <= '4' && rest[2] >= '1' &&
               rest[2] <= '4') {
      rows = rest[0] - '0', cols = rest[2] - '0';
    } else {
      continue;
    }
    return;
  }
}

class Reader {
 public:
  Reader(std::string_view src, FxLayout& out) : src_(src), out_(out) {
    FxLexed lexed = LexFx(src);
    toks_ = std::move(lexed.Tokens);
    rowMajorDefault_ = lexed.RowMajorPragma;
    out_.Hlsl.assign(src.data(), src.size());
  }

  bool Run(std::string* error) {
    error_ = error;
    size_t i = 0;
    while (!AtEnd(i)) {
      if (IsPunct(i, ';')) {
        ++i;
        continue;
      }
      const std::string_view w = Text(i);
      bool ok;
      if (Kind(i) == FxTok::Name && OneOf(w, {"technique", "technique9", "technique10", "technique11"}))
        ok = ReadTechnique(i);
      else if (Kind(i) == FxTok::Name && (w == "struct" || w == "cbuffer" || w == "tbuffer"))
        ok = SkipBlockStatement(i);
      else if (Kind(i) == FxTok::Name && w == "typedef")
        ok = SkipToSemicolon(i);
      else
        ok = ReadDeclaration(i);
      if (!ok) return false;
    }
    return Finish();
  }

 private:
  // ---- tokens ----------------------------------------------------------------
  const FxToken& Tok(size_t i) const { return toks_[std::min(i, toks_.size() - 1)]; }
  FxTok Kind(size_t i) const { return Tok(i).Kind; }
  bool AtEnd(size_t i) const { return Kind(i) == FxTok::End; }
  std::string_view Text(size_t i) const { return src_.substr(Tok(i).Offset, Tok(i).Length); }
  bool IsPunct(size_t i, char c) const { return Kind(i) == FxTok::Punct && src_[Tok(i).Offset] == c; }
  bool IsName(size_t i) const { return Kind(i) == FxTok::Name; }
  size_t EndOf(size_t i) const { return Tok(i).Offset + Tok(i).Length; }
  // Source text from the start of token a to the end of token b - 1.
  std::string Span(size_t a, size_t b) const {
    if (b <= a) return {};
    return std::string(src_.substr(Tok(a).Offset, EndOf(b - 1) - Tok(a).Offset));
  }

  bool Fail(size_t i, const std::string& what) {
    if (error_) {
      int line, col;
      FxLineColumn(src_, Tok(i).Offset, line, col);
      *error_ = "memory(" + std::to_string(line) + "," + std::to_string(col) + "): error: " + what;
    }
    return false;
  }

  void Warn(size_t i, const std::string& what) {
    int line, col;
    FxLineColumn(src_, Tok(i).Offset, line, col);
    out_.Warnings.push_back("memory(" + std::to_string(line) + "," + std::to_string(col) + "): warning: " + what);
  }

  bool Expect(size_t& i, char c) {
    if (!IsPunct(i, c)) return Fail(i, std::string("'") + c + "' expected" + Near(i));
    ++i;
    return true;
  }

  std::string Near(size_t i) const {
    if (AtEnd(i)) return " before the end of the file";
    return " near '" + std::string(Text(i).substr(0, 40)) + "'";
  }

  // Blanks bytes [from, to) keeping line breaks.
  void Blank(size_t from, size_t to) {
    to = std::min(to, out_.Hlsl.size());
    for (size_t k = from; k < to; ++k)
      if (out_.Hlsl[k] != '\n' && out_.Hlsl[k] != '\r') out_.Hlsl[k] = ' ';
  }
  void BlankTokens(size_t first, size_t last) { Blank(Tok(first).Offset, EndOf(last)); }

  // i at an opening bracket: moves past the matching closer.
  bool SkipBalanced(size_t& i) {
    const size_t start = i;
    int depth = 0;
    do {
      if (AtEnd(i)) return Fail(start, "unbalanced '" + std::string(Text(start)) + "'");
      if (Kind(i) == FxTok::Punct) {
        const char c = src_[Tok(i).Offset];
        if (c == '(' || c == '{' || c == '[') ++depth;
        if (c == ')' || c == '}' || c == ']') --depth;
      }
      ++i;
    } while (depth > 0);
    return true;
  }

  bool SkipToSemicolon(size_t& i) {
    while (!IsPunct(i, ';')) {
      if (AtEnd(i)) return Fail(i, "';' expected before the end of the file");
      if (IsPunct(i, '(') || IsPunct(i, '{') || IsPunct(i, '[')) {
        if (!SkipBalanced(i)) return false;
      } else {
        ++i;
      }
    }
    ++i;
    return true;
  }

  // struct/cbuffer: keyword, name, block, declarators up to ';'.
  bool SkipBlockStatement(size_t& i) {
    while (!IsPunct(i, '{')) {
      if (AtEnd(i) || IsPunct(i, ';')) return Fail(i, "'{' expected" + Near(i));
      ++i;
    }
    if (!SkipBalanced(i)) return false;
    if (IsPunct(i, ';')) ++i;
    else if (!SkipToSemicolon(i)) return false;
    return true;
  }

  // ---- annotations -------------------------------------------------------------
  // i at '<': reads `type name = value;` entries up to the matching '>'.
  bool ReadAnnotations(size_t& i, std::vector<FxAnnotation>* out) {
    const size_t open = i++;
    while (!IsPunct(i, '>')) {
      if (AtEnd(i)) return Fail(open, "unterminated annotation");
      size_t entry = i;
      std::vector<size_t> words;
      while (!IsPunct(i, ';') && !IsPunct(i, '>')) {
        if (AtEnd(i)) return Fail(open, "unterminated annotation");
        if (IsPunct(i, '{') || IsPunct(i, '(')) {
          if (!SkipBalanced(i)) return false;
          continue;
        }
        words.push_back(i++);
      }
      if (IsPunct(i, ';')) ++i;
      // type name = value
      auto eq = std::find_if(words.begin(), words.end(), [&](size_t k) { return IsPunct(k, '='); });
      if (out && eq != words.end() && eq - words.begin() >= 2 && IsName(*(eq - 1))) {
        FxAnnotation a;
        a.Name = std::string(Text(*(eq - 1)));
        if (eq + 1 != words.end()) {
          std::string_view v = Text(*(eq + 1));
          if (Kind(*(eq + 1)) == FxTok::String && v.size() >= 2) v = v.substr(1, v.size() - 2);
          else v = std::string_view(src_).substr(Tok(*(eq + 1)).Offset, EndOf(words.back()) - Tok(*(eq + 1)).Offset);
          a.Value = std::string(v);
        }
        out->push_back(std::move(a));
      }
      if (i == entry) ++i;
    }
    ++i;  // '>'
    return true;
  }

  // ---- numbers --------------------------------------------------------------------
  // Numbers of an initializer or argument list in [a, b): constructors, braces and
  // commas are skipped; anything else (names, operators) makes it not constant.
  bool Numbers(size_t a, size_t b, std::vector<float>& out) const {
    bool negate = false;
    for (size_t k = a; k < b; ++k) {
      const std::string_view w = Text(k);
      if (Kind(k) == FxTok::Number) {
        double v = 0;
        if (!ParseFxNumber(w, v)) return false;
        out.push_back(static_cast<float>(negate ? -v : v));
        negate = false;
      } else if (Kind(k) == FxTok::Name) {
        if (w == "true" || w == "false") {
          out.push_back(w == "true" ? 1.0f : 0.0f);
        } else {
          int r, c;
          FxScalar s;
          TypeShape(w, r, c, s);
          if (r == 0 || !IsPunct(k + 1, '(')) return false;
        }
      } else if (Kind(k) == FxTok::Punct) {
        const char c = src_[Tok(k).Offset];
        if (c == '-') negate = !negate;
        else if (c != '+' && c != '{' && c != '}' && c != '(' && c != ')' && c != ',') return false;
      } else {
        return false;
      }
    }
    return true;
  }

  // ---- declarations -------------------------------------------------------------------
  bool ReadDeclaration(size_t& i) {
    const size_t start = i;
    bool isStatic = false, rowMajor = rowMajorDefault_;
    while (IsName(i) && IsGlobalModifier(Text(i)) && !IsPunct(i + 1, '(')) {
      const std::string_view w = Text(i);
      if (w == "static") isStatic = true;
      if (w == "row_major") rowMajor = true;
      if (w == "column_major") rowMajor = false;
      ++i;
    }
    if (!IsName(i)) return Fail(i, "declaration expected" + Near(i));
    const size_t typeTok = i++;
    std::string type(Text(typeTok));
    if ((type == "vector" || type == "matrix") && IsPunct(i, '<')) {
      // vector<float, 3>, matrix<float, 4, 4>
      std::vector<size_t> nums;
      while (!IsPunct(i, '>')) {
        if (AtEnd(i) || IsPunct(i, ';')) return Fail(typeTok, "'>' expected");
        if (Kind(i) == FxTok::Number) nums.push_back(i);
        ++i;
      }
      ++i;
      if (type == "vector" && nums.size() == 1) type = "float" + std::string(Text(nums[0]));
      if (type == "matrix" && nums.size() == 2)
        type = "float" + std::string(Text(nums[0])) + "x" + std::string(Text(nums[1]));
    }
    if (IsName(i) && IsPunct(i + 1, '(')) return ReadFunction(start, typeTok, i);
    const bool isTexture = IsTextureType(type);
    const bool isSampler = IsSamplerType(type);
    const bool isShader = OneOf(type, {"vertexshader", "pixelshader"});
    while (true) {
      if (!IsName(i)) return Fail(i, "name expected" + Near(i));
      const size_t nameTok = i++;
      FxParam p;
      p.Name = std::string(Text(nameTok));
      p.RowMajor = rowMajor;
      int arraySize = 0;
      while (IsPunct(i, '[')) {
        double n = 0;
        if (Kind(i + 1) == FxTok::Number && IsPunct(i + 2, ']') && ParseFxNumber(Text(i + 1), n) && n >= 1 &&
            n <= 65535)
          arraySize = static_cast<int>(std::min<int64_t>(int64_t{std::max(1, arraySize)} * static_cast<int64_t>(n), 65535));
        else
          arraySize = std::max(arraySize, 1);
        if (!SkipBalanced(i)) return false;
      }
      p.ArraySize = static_cast<uint16_t>(std::min(arraySize, 65535));
      while (IsPunct(i, ':')) {
        const size_t colon = i++;
        if (IsName(i) && (Text(i) == "register" || Text(i) == "packoffset") && IsPunct(i + 1, '(')) {
          ++i;
          if (!SkipBalanced(i)) return false;
          BlankTokens(colon, i - 1);  // registers force layouts GL 3.3 cannot express
        } else if (IsName(i)) {
          p.Semantic = std::string(Text(i++));
        } else {
          return Fail(i, "semantic expected" + Near(i));
        }
      }
      if (IsPunct(i, '<')) {
        const size_t open = i;
        if (!ReadAnnotations(i, &p.Annotations)) return false;
        BlankTokens(open, i - 1);
      }
      size_t initFirst = 0, initEnd = 0;
      if (IsPunct(i, '=')) {
        const size_t eq = i++;
        if (IsName(i) && FxNameEquals(Text(i), "sampler_state")) {
          if (!isSampler) return Fail(i, "sampler_state on a variable that is not a sampler");
          FxSampler s;
          if (!ReadSamplerState(++i, s.State, s.Texture)) return false;
          BlankTokens(eq, i - 1);
          pendingSampler_ = std::move(s);
        } else {
          initFirst = i;
          while (!IsPunct(i, ';') && !IsPunct(i, ',')) {
            if (AtEnd(i)) return Fail(eq, "';' expected after the initializer");
            if (IsPunct(i, '{') || IsPunct(i, '(') || IsPunct(i, '[')) {
              if (!SkipBalanced(i)) return false;
            } else {
              ++i;
            }
          }
          initEnd = i;
        }
      }
      if (isSampler) AddSampler(typeTok, nameTok, p.Name);
      else if (isTexture) AddTexture(std::move(p), type);
      else if (!isStatic && !isShader && type != "string") AddNumeric(std::move(p), type, initFirst, initEnd);
      pendingSampler_.reset();
      if (IsPunct(i, ',')) {
        ++i;
        continue;
      }
      if (!Expect(i, ';')) return false;
      break;
    }
    // The compiler knows neither effect textures nor shader objects.
    if (isTexture || isShader) BlankTokens(start, i - 1);
    return true;
  }

  void AddTexture(FxParam p, const std::string& type) {
    p.Class = FxParamClass::Texture;
    p.Dim = DimOfType(type);
    p.Rows = p.Cols = 0;
    out_.Fx.Params.push_back(std::move(p));
  }

  void AddNumeric(FxParam p, const std::string& type, size_t initFirst, size_t initEnd) {
    int rows, cols;
    FxScalar scalar;
    TypeShape(type, rows, cols, scalar);
    if (rows == 0) {
      p.Class = FxParamClass::Other;  // structs and the like: settable by nobody
      p.Rows = p.Cols = 0;
      out_.Fx.Params.push_back(std::move(p));
      return;
    }
    p.Class = FxParamClass::Numeric;
    p.Scalar = scalar;
    p.Rows = static_cast<uint8_t>(rows);
    p.Cols = static_cast<uint8_t>(cols);
    std::vector<float> values;
    if (initEnd > initFirst && Numbers(initFirst, initEnd, values) && !values.empty()) {
      const size_t want = static_cast<size_t>(rows * cols) * std::max<size_t>(1, p.ArraySize);
      if (values.size() == 1) values.assign(want, values[0]);  // a scalar fills every component
      values.resize(want, 0.0f);
      p.Default = std::move(values);
    } else if (initEnd > initFirst) {
      Warn(initFirst, "the default of '" + p.Name + "' is not a constant; it starts at 0");
    }
    out_.Fx.Params.push_back(std::move(p));
  }

  void AddSampler(size_t typeTok, size_t nameTok, const std::string& name) {
    FxSampler s = pendingSampler_ ? std::move(*pendingSampler_) : FxSampler{};
    s.Name = name;
    const std::string_view type = Text(typeTok);
    s.Dim = DimOfType(type);
    if (type == "sampler") untyped_.push_back({out_.Fx.Samplers.size(), typeTok});
    out_.Fx.Samplers.push_back(std::move(s));
    (void)nameTok;
  }

  // i just after `sampler_state`: reads `{ Field = value; ... }`.
  bool ReadSamplerState(size_t& i, FxSamplerState& st, std::string& texture) {
    if (!Expect(i, '{')) return false;
    while (!IsPunct(i, '}')) {
      if (AtEnd(i)) return Fail(i, "'}' expected at the end of sampler_state");
      if (IsPunct(i, ';')) {
        ++i;
        continue;
      }
      if (!IsName(i)) return Fail(i, "sampler state expected" + Near(i));
      const size_t field = i++;
      if (IsPunct(i, '[') && !SkipBalanced(i)) return false;
      if (!Expect(i, '=')) return false;
      std::vector<size_t> words;
      while (!IsPunct(i, ';') && !IsPunct(i, '}')) {
        if (AtEnd(i)) return Fail(field, "';' expected");
        if (IsName(i) || Kind(i) == FxTok::Number) words.push_back(i);
        if (IsPunct(i, '-') && Kind(i + 1) == FxTok::Number) words.push_back(i);
        ++i;
      }
      const FxSamplerField f = FxSamplerFieldByName(Text(field));
      if (f == FxSamplerField::Texture) {
        if (!words.empty()) texture = std::string(Text(words.back()));
      } else if (f == FxSamplerField::Unknown) {
        Warn(field, "sampler state '" + std::string(Text(field)) + "' is ignored");
      } else if (words.empty() || !FxSetSamplerField(st, f, ValueText(words))) {
        Warn(field, "value of sampler state '" + std::string(Text(field)) + "' is not understood");
      }
    }
    ++i;
    return true;
  }

  // A value word, with a leading minus joined to its number.
  std::string ValueText(const std::vector<size_t>& words) const {
    if (words.size() >= 2 && IsPunct(words[0], '-')) return "-" + std::string(Text(words[1]));
    return std::string(Text(words[0]));
  }

  bool ReadFunction(size_t start, size_t typeTok, size_t& i) {
    FxFunction f;
    f.ReturnType = std::string(Text(typeTok));
    f.Name = std::string(Text(i++));
    const size_t open = i;
    size_t close = i;
    if (!SkipBalanced(close)) return false;
    // Parameters between open and close - 1, split at top-level commas.
    size_t k = open + 1;
    while (k < close - 1) {
      size_t end = k;
      int depth = 0;
      while (end < close - 1 && !(depth == 0 && IsPunct(end, ','))) {
        if (IsPunct(end, '(') || IsPunct(end, '[') || IsPunct(end, '{') || IsPunct(end, '<')) ++depth;
        if (IsPunct(end, ')') || IsPunct(end, ']') || IsPunct(end, '}') || IsPunct(end, '>')) --depth;
        ++end;
      }
      if (!(end == k + 1 && Text(k) == "void")) {
        FxFunctionParam p;
        if (!ReadParam(k, end, p)) return false;
        f.Params.push_back(std::move(p));
      }
      k = end + 1;
    }
    i = close;
    while (IsPunct(i, ':')) {
      ++i;
      if (!IsName(i)) return Fail(i, "semantic expected" + Near(i));
      ++i;
      if (IsPunct(i, '(') && !SkipBalanced(i)) return false;
    }
    if (IsPunct(i, ';')) {
      ++i;  // a prototype
      return true;
    }
    if (!IsPunct(i, '{')) return Fail(i, "'{' expected" + Near(i));
    if (!SkipBalanced(i)) return false;
    out_.Functions.push_back(std::move(f));
    (void)start;
    return true;
  }

  bool ReadParam(size_t a, size_t b, FxFunctionParam& p) {
    size_t k = a;
    while (k < b && IsName(k) && IsParamModifier(Text(k)) && k + 1 < b && IsName(k + 1)) {
      if (Text(k) == "uniform") p.Uniform = true;
      ++k;
    }
    if (k >= b || !IsName(k)) return Fail(k, "parameter type expected" + Near(k));
    const size_t typeTok = k++;
    if (IsPunct(k, '<')) {
      while (k < b && !IsPunct(k, '>')) ++k;
      ++k;
    }
    p.Type = Span(typeTok, k);
    // An unnamed parameter brings the compiler down; refuse it here.
    if (k >= b || !IsName(k)) return Fail(k < b ? k : typeTok, "parameter name expected after '" + p.Type + "'");
    p.Name = std::string(Text(k++));
    while (k < b) {
      if (IsPunct(k, ':') && k + 1 < b && IsName(k + 1)) {
        p.Semantic = std::string(Text(k + 1));
        k += 2;
      } else {
        ++k;
      }
    }
    return true;
  }

  // ---- techniques ---------------------------------------------------------------------
  // What follows `technique` or `pass`: [name] [<annotations>] '{'.
  bool ReadBlockHead(size_t& i, std::string& name, std::vector<FxAnnotation>& annotations) {
    if (IsName(i)) name = std::string(Text(i++));
    if (IsPunct(i, '<') && !ReadAnnotations(i, &annotations)) return false;
    return Expect(i, '{');
  }

  bool ReadTechnique(size_t& i) {
    const size_t start = i++;
    FxTechnique t;
    if (!ReadBlockHead(i, t.Name, t.Annotations)) return false;
    while (!IsPunct(i, '}')) {
      if (AtEnd(i)) return Fail(start, "technique '" + t.Name + "' is not closed");
      if (!IsName(i) || !FxNameEquals(Text(i), "pass")) return Fail(i, "'pass' expected" + Near(i));
      if (!ReadPass(i, t)) return false;
    }
    ++i;
    if (IsPunct(i, ';')) ++i;
    BlankTokens(start, i - 1);
    out_.Fx.Techniques.push_back(std::move(t));
    return true;
  }

  bool ReadPass(size_t& i, FxTechnique& t) {
    const size_t start = i++;
    currentPass_ = t.Passes.size();
    FxPass p;
    if (!ReadBlockHead(i, p.Name, p.Annotations)) return false;
    while (!IsPunct(i, '}')) {
      if (AtEnd(i)) return Fail(start, "pass '" + p.Name + "' is not closed");
      if (IsPunct(i, ';')) {
        ++i;
        continue;
      }
      if (!IsName(i)) return Fail(i, "state name expected" + Near(i));
      const size_t name = i++;
      const std::string_view n = Text(name);
      if (IsPunct(i, '(')) {  // SetPixelShader(CompileShader(ps_2_0, PS()));
        if (!ReadSetShader(name, i, p)) return false;
        continue;
      }
      if (IsPunct(i, '[') && !SkipBalanced(i)) return false;
      if (!Expect(i, '=')) return false;
      if (FxNameEquals(n, "VertexShader") || FxNameEquals(n, "PixelShader")) {
        if (!ReadShaderBinding(name, i, p, FxNameEquals(n, "VertexShader"))) return false;
        continue;
      }
      std::vector<size_t> words;
      while (!IsPunct(i, ';')) {
        if (AtEnd(i) || IsPunct(i, '}')) return Fail(i, "';' expected" + Near(i));
        if (IsName(i) || Kind(i) == FxTok::Number) words.push_back(i);
        ++i;
      }
      ++i;
      FxState state;
      if (!FxRenderStateByName(n, state)) {
        Warn(name, "render state '" + std::string(n) + "' is ignored");
        continue;
      }
      uint32_t value = 0, w = 0;
      bool understood = !words.empty();
      for (size_t k : words) {
        if (FxRenderStateWord(state, Text(k), w)) value |= w;
        else understood = false;
      }
      if (understood) p.States.push_back({state, value});
      else Warn(name, "value of render state '" + std::string(n) + "' is not understood");
    }
    ++i;
    t.Passes.push_back(std::move(p));
    return true;
  }

  // After `VertexShader =`: `compile profile Entry(args);` or NULL.
  bool ReadShaderBinding(size_t name, size_t& i, FxPass& p, bool vertex) {
    if (IsName(i) && FxNameEquals(Text(i), "null")) {
      ++i;
      return Expect(i, ';');
    }
    if (IsName(i) && Text(i) == "asm") return Fail(i, "assembly shaders are not supported");
    if (!IsName(i) || Text(i) != "compile") {
      if (IsName(i) || IsPunct(i, '('))
        return Fail(i, "shader variables are not supported; write 'compile <profile> <entry>()'");
      return Fail(i, "'compile' expected" + Near(i));
    }
    ++i;
    if (!IsName(i)) return Fail(i, "shader profile expected" + Near(i));
    const std::string profile(Text(i++));
    if (!ReadEntryCall(i, p, vertex, profile)) return false;
    (void)name;
    return Expect(i, ';');
  }

  // SetVertexShader(CompileShader(vs_2_0, VS())); SetPixelShader(NULL); others ignored.
  bool ReadSetShader(size_t name, size_t& i, FxPass& p) {
    const std::string_view n = Text(name);
    const bool vertex = FxNameEquals(n, "SetVertexShader");
    if (vertex || FxNameEquals(n, "SetPixelShader")) {
      size_t k = i + 1;
      if (IsName(k) && Text(k) == "CompileShader" && IsPunct(k + 1, '(') && IsName(k + 2) && IsPunct(k + 3, ',')) {
        const std::string profile(Text(k + 2));
        k += 4;
        if (!ReadEntryCall(k, p, vertex, profile)) return false;
      }
    } else {
      Warn(name, "'" + std::string(n) + "' is ignored");
    }
    if (!SkipBalanced(i)) return false;
    return Expect(i, ';');
  }

  // i at the entry's name: Entry(args).
  bool ReadEntryCall(size_t& i, FxPass& p, bool vertex, const std::string& profile) {
    if (!IsName(i) || !IsPunct(i + 1, '(')) return Fail(i, "entry point call expected" + Near(i));
    const size_t entry = i++;
    const size_t open = i;
    if (!SkipBalanced(i)) return false;
    std::vector<std::vector<float>> args;
    size_t k = open + 1;
    while (k < i - 1) {
      size_t end = k;
      int depth = 0;
      while (end < i - 1 && !(depth == 0 && IsPunct(end, ','))) {
        if (IsPunct(end, '(') || IsPunct(end, '{')) ++depth;
        if (IsPunct(end, ')') || IsPunct(end, '}')) --depth;
        ++end;
      }
      std::vector<float> v;
      if (!Numbers(k, end, v) || v.empty()) return Fail(k, "arguments of '" + std::string(Text(entry)) + "' must be numbers");
      args.push_back(std::move(v));
      k = end + 1;
    }
    std::string& name = vertex ? p.VertexEntry : p.PixelEntry;
    name = std::string(Text(entry));
    (vertex ? p.VertexProfile : p.PixelProfile) = profile;
    pendingArgs_.push_back({entry, vertex, out_.Fx.Techniques.size(), currentPass_, std::move(args)});
    return true;
  }

  // ---- after the walk --------------------------------------------------------------------
  const FxFunction* FindFunction(const std::string& name) const {
    for (const FxFunction& f : out_.Functions)
      if (f.Name == name) return &f;
    return nullptr;
  }

  bool Finish() {
    // Entry points must exist; their `uniform` parameters take the call's arguments.
    for (const EntryArgs& a : pendingArgs_) {
      if (a.Technique >= out_.Fx.Techniques.size() || a.Pass >= out_.Fx.Techniques[a.Technique].Passes.size())
        continue;
      FxPass& p = out_.Fx.Techniques[a.Technique].Passes[a.Pass];
      const std::string entry(Text(a.Token));
      const FxFunction* f = FindFunction(entry);
      if (!f) return Fail(a.Token, "entry point '" + entry + "' not found");
      size_t n = 0;
      for (const FxFunctionParam& fp : f->Params) {
        if (!fp.Uniform) continue;
        if (n >= a.Values.size()) break;
        p.Constants.push_back({fp.Name, a.Values[n++]});
      }
      if (n < a.Values.size()) return Fail(a.Token, "too many arguments for '" + entry + "'");
    }
    // Untyped samplers take the kind of their texture.
    for (const auto& [index, tok] : untyped_) {
      FxSampler& s = out_.Fx.Samplers[index];
      for (const FxParam& p : out_.Fx.Params)
        if (p.Class == FxParamClass::Texture && p.Name == s.Texture) s.Dim = p.Dim;
      const char* alias = kFxSamplerAliases[static_cast<int>(s.Dim)];
      out_.Hlsl.replace(Tok(tok).Offset, Tok(tok).Length, alias);
    }
    for (const FxSampler& s : out_.Fx.Samplers) {
      if (s.Texture.empty()) continue;
      bool found = false;
      for (const FxParam& p : out_.Fx.Params) found = found || (p.Class == FxParamClass::Texture && p.Name == s.Texture);
      if (!found) out_.Warnings.push_back("memory(1,1): warning: sampler '" + s.Name + "' names an unknown texture '" + s.Texture + "'");
    }
    return true;
  }

  struct EntryArgs {
    size_t Token;
    bool Vertex;
    size_t Technique, Pass;
    std::vector<std::vector<float>> Values;
  };

  std::string_view src_;
  FxLayout& out_;
  std::vector<FxToken> toks_;
  std::string* error_ = nullptr;
  bool rowMajorDefault_ = false;
  std::optional<FxSampler> pendingSampler_;
  std::vector<std::pair<size_t, size_t>> untyped_;  // sampler index, type token
  std::vector<EntryArgs> pendingArgs_;
  size_t currentPass_ = 0;
};

}  // namespace

int FxTypeComponents(std::string_view type) {
  int r, c;
  FxScalar s;
  TypeShape(type, r, c, s);
  return r * c;
}

bool ReadFx(std::string_view src, FxLayout& out, std::string* error) {
  out = FxLayout{};
  Reader r(src, out);
  return r.Run(error);
}

}  // namespace quellor
