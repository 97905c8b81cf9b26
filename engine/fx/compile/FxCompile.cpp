#include "engine/fx/compile/FxCompile.h"

#include <glslang/Public/ResourceLimits.h>
#include <glslang/Public/ShaderLang.h>
#include <glslang/SPIRV/GlslangToSpv.h>
#include <spirv_cross/spirv_cross_c.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/fx/FxLog.h"
#include "engine/fx/FxReader.h"
#include "engine/fx/FxStageLink.h"
#include "engine/fx/compile/FxPrelude.h"

namespace quellor {

namespace {

constexpr const char* kTextureShaderEntry = "Testout";
constexpr const char* kTextureShaderWrapper = "fx_tx_main";

struct Stage {
  std::string Glsl;
  std::vector<FxVarying> Inputs, Outputs;
};

struct Sources {
  std::string_view Hlsl;     // the user's text with the framework blanked
  std::string_view Original; // the user's text as written (for error columns)
  std::string Wrapper;       // generated entry points, after the user's text
};

void EnsureGlslang() {
  static const bool ready = glslang::InitializeProcess();
  (void)ready;
}

struct SpvcContext {
  spvc_context Ctx = nullptr;
  SpvcContext() { spvc_context_create(&Ctx); }
  ~SpvcContext() {
    if (Ctx) spvc_context_destroy(Ctx);
  }
  SpvcContext(const SpvcContext&) = delete;
  SpvcContext& operator=(const SpvcContext&) = delete;
};

std::string Error(const std::string& what) { return std::string(kFxSourceName) + "(1,1): error: " + what + "\n"; }

bool ToSpirv(const Sources& src, const std::string& entry, bool vertex, std::vector<uint32_t>& spirv,
             std::string& log) {
  EnsureGlslang();
  const EShLanguage lang = vertex ? EShLangVertex : EShLangFragment;
  glslang::TShader shader(lang);
  const std::string& prelude = FxPrelude();
  const char* texts[3] = {prelude.data(), src.Hlsl.data(), src.Wrapper.data()};
  const int lengths[3] = {static_cast<int>(prelude.size()), static_cast<int>(src.Hlsl.size()),
                          static_cast<int>(src.Wrapper.size())};
  // Each text counts its own lines, so messages about the user's text name its lines.
  const char* names[3] = {"prelude", kFxSourceName, "wrapper"};
  // An empty last text would take the blame for the parser's final position.
  shader.setStringsWithLengthsAndNames(texts, lengths, names, src.Wrapper.empty() ? 2 : 3);
  shader.setEntryPoint(entry.c_str());
  shader.setEnvInput(glslang::EShSourceHlsl, lang, glslang::EShClientVulkan, 100);
  shader.setEnvClient(glslang::EShClientVulkan, glslang::EShTargetVulkan_1_0);
  shader.setEnvTarget(glslang::EShTargetSpv, glslang::EShTargetSpv_1_0);
  // Keeps each varying's semantic on it, so stages can be joined by semantic.
  shader.setEnvTargetHlslFunctionality1();
  shader.setAutoMapBindings(true);
  shader.setAutoMapLocations(true);
  const auto messages = static_cast<EShMessages>(EShMsgSpvRules | EShMsgVulkanRules | EShMsgReadHlsl |
                                                 EShMsgHlslDX9Compatible);
  const bool parsed = shader.parse(GetDefaultResources(), 100, false, messages);
  std::string info = shader.getInfoLog();
  if (!parsed) {
    log = FormatFxLog(info, src.Original);
    return false;
  }
  // link() after a failed parse() crashes; here the parse succeeded.
  glslang::TProgram program;
  program.addShader(&shader);
  if (!program.link(messages) || !program.mapIO()) {
    log = FormatFxLog(info + program.getInfoLog(), src.Original);
    if (log.empty()) log = Error("the entry point '" + entry + "' could not be linked");
    return false;
  }
  glslang::TIntermediate* intermediate = program.getIntermediate(lang);
  if (!intermediate) {
    log = Error("entry point '" + entry + "' not found");
    return false;
  }
  glslang::SpvOptions options;
  options.disableOptimizer = false;  // the optimizer performs HLSL legalization
  options.validate = false;
  spv::SpvBuildLogger logger;
  glslang::GlslangToSpv(*intermediate, spirv, &logger, &options);
  log = FormatFxLog(info, src.Original);  // warnings, if any
  return !spirv.empty();
}

int ComponentsOf(spvc_compiler c, spvc_type_id typeId) {
  spvc_type t = spvc_compiler_get_type_handle(c, typeId);
  return static_cast<int>(spvc_type_get_vector_size(t) * spvc_type_get_columns(t));
}

std::string SemanticOf(spvc_compiler c, SpvId id) {
  const char* s = spvc_compiler_get_decoration_string(c, id, SpvDecorationHlslSemanticGOOGLE);
  return NormalizeSemantic(s ? s : "");
}

bool ToGlsl(const std::vector<uint32_t>& spirv, bool vertex, Stage& out, std::string& log) {
  SpvcContext ctx;
  spvc_parsed_ir ir = nullptr;
  spvc_compiler c = nullptr;
  if (!ctx.Ctx || spvc_context_parse_spirv(ctx.Ctx, spirv.data(), spirv.size(), &ir) != SPVC_SUCCESS ||
      spvc_context_create_compiler(ctx.Ctx, SPVC_BACKEND_GLSL, ir, SPVC_CAPTURE_MODE_TAKE_OWNERSHIP, &c) !=
          SPVC_SUCCESS) {
    log = Error("SPIR-V could not be read back");
    return false;
  }
  spvc_resources res = nullptr;
  spvc_compiler_create_shader_resources(c, &res);
  auto list = [&](spvc_resource_type type) {
    const spvc_reflected_resource* items = nullptr;
    size_t count = 0;
    std::vector<spvc_reflected_resource> v;
    if (spvc_resources_get_resource_list_for_type(res, type, &items, &count) == SPVC_SUCCESS && items)
      v.assign(items, items + count);
    return v;
  };
  const char* uniforms = vertex ? kFxVertexUniforms : kFxPixelUniforms;
  for (const spvc_reflected_resource& r : list(SPVC_RESOURCE_TYPE_UNIFORM_BUFFER)) {
    spvc_compiler_set_name(c, r.id, uniforms);
    spvc_compiler_set_name(c, r.base_type_id, vertex ? "FxVertexParams" : "FxPixelParams");
  }
  bool wroteSemantics = false;
  for (const spvc_reflected_resource& r : list(SPVC_RESOURCE_TYPE_STAGE_INPUT)) {
    const std::string sem = SemanticOf(c, r.id);
    if (vertex) {
      const int location = FxAttributeLocation(sem);
      if (location < 0) {
        log = Error("vertex input semantic " + sem + " is not supported");
        return false;
      }
      spvc_compiler_set_name(c, r.id, ("fxa_" + sem).c_str());
      spvc_compiler_set_decoration(c, r.id, SpvDecorationLocation, static_cast<unsigned>(location));
    } else {
      if (sem == "VPOS0" || sem == "VFACE0") {
        log = Error(sem.substr(0, 4) + " is not supported");
        return false;
      }
      for (const FxVarying& v : out.Inputs)
        if (v.Semantic == sem) {
          log = Error("two pixel shader inputs use the semantic " + sem);
          return false;
        }
      spvc_compiler_set_name(c, r.id, ("fxi_" + sem).c_str());
      out.Inputs.push_back({sem, ComponentsOf(c, r.type_id)});
    }
  }
  if (vertex) {
    for (const spvc_reflected_resource& r : list(SPVC_RESOURCE_TYPE_STAGE_OUTPUT)) {
      const std::string sem = SemanticOf(c, r.id);
      if (sem == "POSITION") {
        // Direct3D 9 takes the POSITION output as the clip-space position.
        spvc_compiler_set_decoration(c, r.id, SpvDecorationBuiltIn, SpvBuiltInPosition);
        wroteSemantics = true;
        continue;
      }
      spvc_compiler_set_name(c, r.id, ("fxv_" + sem).c_str());
      out.Outputs.push_back({sem, ComponentsOf(c, r.type_id)});
    }
    if (!wroteSemantics) {
      const spvc_reflected_builtin_resource* builtins = nullptr;
      size_t n = 0;
      spvc_resources_get_builtin_resource_list_for_type(res, SPVC_BUILTIN_RESOURCE_TYPE_STAGE_OUTPUT, &builtins, &n);
      for (size_t k = 0; k < n; ++k) wroteSemantics = wroteSemantics || builtins[k].builtin == SpvBuiltInPosition;
      if (!wroteSemantics) {
        log = Error("the vertex shader writes no POSITION");
        return false;
      }
    }
  }
  spvc_compiler_options opts = nullptr;
  spvc_compiler_create_compiler_options(c, &opts);
  spvc_compiler_options_set_uint(opts, SPVC_COMPILER_OPTION_GLSL_VERSION, 330);
  spvc_compiler_options_set_bool(opts, SPVC_COMPILER_OPTION_GLSL_ES, SPVC_FALSE);
  spvc_compiler_options_set_bool(opts, SPVC_COMPILER_OPTION_GLSL_ENABLE_420PACK_EXTENSION, SPVC_FALSE);
  spvc_compiler_options_set_bool(opts, SPVC_COMPILER_OPTION_GLSL_EMIT_UNIFORM_BUFFER_AS_PLAIN_UNIFORMS, SPVC_TRUE);
  if (vertex) {
    // Direct3D's clip depth runs 0..w, GL's -w..w.
    spvc_compiler_options_set_bool(opts, SPVC_COMPILER_OPTION_FIXUP_DEPTH_CONVENTION, SPVC_TRUE);
    spvc_compiler_options_set_bool(opts, SPVC_COMPILER_OPTION_FLIP_VERTEX_Y, SPVC_TRUE);
  }
  spvc_compiler_install_compiler_options(c, opts);
  const char* glsl = nullptr;
  if (spvc_compiler_compile(c, &glsl) != SPVC_SUCCESS || !glsl) {
    log = Error(std::string("GLSL could not be written: ") + spvc_context_get_last_error_string(ctx.Ctx));
    return false;
  }
  out.Glsl = glsl;
  if (vertex) {
    // The y flip depends on the target (render targets hold their top row first), so
    // the engine sets its sign per draw.
    const std::string flip = "gl_Position.y = -gl_Position.y;";
    const size_t at = out.Glsl.find(flip);
    if (at != std::string::npos)
      out.Glsl.replace(at, flip.size(), "gl_Position.y = gl_Position.y * " + std::string(kFxFlipY) + ";");
    const size_t afterVersion = out.Glsl.find('\n');
    out.Glsl.insert(afterVersion == std::string::npos ? 0 : afterVersion + 1,
                    "uniform float " + std::string(kFxFlipY) + ";\n");
  }
  return true;
}

// Argument expression giving `value` (of `from` float components) to a parameter type.
std::string Argument(const std::string& type, const std::string& value) {
  const int n = FxTypeComponents(type);
  if (n <= 1) return value + ".x";
  if (n == 2) return value;
  if (n == 3) return "float3(" + value + ", 0.0)";
  return "float4(" + value + ", 0.0, 0.0)";
}

bool TextureShaderWrapper(const FxLayout& layout, std::string& wrapper, std::string& log) {
  const FxFunction* testout = nullptr;
  for (const FxFunction& f : layout.Functions)
    if (f.Name == kTextureShaderEntry) testout = &f;
  if (!testout) {
    log = Error(std::string("entry point '") + kTextureShaderEntry + "' not found");
    return false;
  }
  if (testout->Params.size() > 2) {
    log = Error(std::string(kTextureShaderEntry) + " takes at most a position and a texel size");
    return false;
  }
  const std::string texel = "float2(" + std::to_string(1.0 / kTextureShaderSize) + ", " +
                            std::to_string(1.0 / kTextureShaderSize) + ")";
  std::string call = std::string(kTextureShaderEntry) + "(";
  for (size_t k = 0; k < testout->Params.size(); ++k) {
    if (k) call += ", ";
    call += Argument(testout->Params[k].Type, k == 0 ? "fx_uv" : texel);
  }
  call += ")";
  wrapper = "\nfloat4 " + std::string(kTextureShaderWrapper) + "(float2 fx_uv : TEXCOORD0) : COLOR0 {\n  return " +
            call + ";\n}\n";
  return true;
}

bool Translate(std::string_view hlsl, FxKind kind, CompiledFx& out) {
  out = CompiledFx{};
  FxLayout layout;
  std::string error;
  if (!ReadFx(hlsl, layout, &error)) {
    out.Log = error + "\n";
    return false;
  }
  Sources src;
  src.Hlsl = layout.Hlsl;
  src.Original = hlsl;
  CompiledFx fx = std::move(layout.Fx);
  fx.Kind = kind;
  std::string warnings;
  for (const std::string& w : layout.Warnings) warnings += w + "\n";
  if (kind == FxKind::TextureShader) {
    if (!TextureShaderWrapper(layout, src.Wrapper, out.Log)) return false;
    FxPass pass;
    pass.Name = "fill";
    pass.PixelEntry = kTextureShaderWrapper;
    pass.PixelProfile = "tx_1_0";
    fx.Techniques.assign(1, FxTechnique{"fill", {}, {std::move(pass)}});
  } else if (fx.Techniques.empty()) {
    out.Log = Error("the effect has no technique");
    return false;
  }
  // Passes often share entry points: translate each (entry, stage) once.
  std::map<std::pair<std::string, bool>, Stage> stages;
  auto stage = [&](const std::string& entry, bool vertex) -> const Stage* {
    auto key = std::make_pair(entry, vertex);
    auto it = stages.find(key);
    if (it != stages.end()) return &it->second;
    std::vector<uint32_t> spirv;
    std::string log;
    Stage s;
    if (!ToSpirv(src, entry, vertex, spirv, log) || !ToGlsl(spirv, vertex, s, log)) {
      out.Log = log.empty() ? Error("entry point '" + entry + "' could not be translated") : log;
      return nullptr;
    }
    warnings += log;
    return &stages.emplace(key, std::move(s)).first->second;
  };
  for (FxTechnique& t : fx.Techniques)
    for (FxPass& p : t.Passes) {
      if (p.PixelEntry.empty()) {
        out.Log = Error("pass '" + p.Name + "' of technique '" + t.Name +
                        "' has no pixel shader; fixed-function pixel processing is not supported");
        return false;
      }
      const Stage* ps = stage(p.PixelEntry, false);
      if (!ps) return false;
      std::vector<FxVarying> vertexOut = ps->Inputs;
      if (p.VertexEntry.empty()) {
        p.VertexGlsl = FixedFunctionVertexGlsl(ps->Inputs);
      } else {
        const Stage* vs = stage(p.VertexEntry, true);
        if (!vs) return false;
        p.VertexGlsl = vs->Glsl;
        vertexOut = vs->Outputs;
      }
      p.PixelGlsl = ps->Glsl;
      LinkPixelInputs(p.PixelGlsl, vertexOut, ps->Inputs);
    }
  out = std::move(fx);
  out.Log = warnings;
  return true;
}

}  // namespace

bool CompileFx(std::string_view hlsl, CompiledFx& out) { return Translate(hlsl, FxKind::Effect, out); }

bool CompileTextureShader(std::string_view hlsl, CompiledFx& out) {
  return Translate(hlsl, FxKind::TextureShader, out);
}

}  // namespace quellor
