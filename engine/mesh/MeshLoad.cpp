// The one place that knows Assimp. A model file is decoded in a short-lived worker
// process with a memory and time limit: Assimp trusts the counts a file declares (an X
// file asking for two billion vertices gets them allocated and filled) and can recurse
// or loop on damaged files. The worker copies the scene into our own MeshData, checks it
// against the sanity limits and sends it back as bytes; the editor only ever sees a
// decoded model or an error.
#include "engine/mesh/MeshLoad.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <unordered_map>
#include <unordered_set>

#include "engine/image/ImageCodec.h"
#include "engine/mesh/MeshWire.h"

namespace quellor {

namespace {

// Memory the worker may take beyond what the editor already holds, and its time.
constexpr uint64_t kWorkerExtraBytes = 1ull << 30;
constexpr unsigned kWorkerSeconds = 15;
// Largest answer read back: the limits of MeshData.h keep real models far below it.
constexpr size_t kMaxAnswerBytes = 256u << 20;

// The DirectX file format's tick rate when a file does not give its own.
constexpr double kXTicksPerSecond = 4800.0;
constexpr double kOtherTicksPerSecond = 25.0;

bool Fail(std::string* err, const std::string& why) {
  if (err) *err = why;
  return false;
}

std::string LowerExtension(const std::string& path) {
  size_t dot = path.find_last_of('.');
  size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

// The whole file, refusing what is not a plain file (a pipe would hold the editor).
bool ReadModelFile(const std::string& path, std::vector<uint8_t>& bytes, std::string* err) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return Fail(err, "cannot open the file");
  if (!ReadWholeFile(path, bytes, kMaxMeshFileBytes)) return Fail(err, "cannot read the file");
  if (bytes.empty()) return Fail(err, "the file is empty");
  return true;
}

D3DMatrix ToD3D(const aiMatrix4x4& m) {
  // Assimp's matrices act on column vectors; Direct3D's layout is their transpose.
  return {m.a1, m.b1, m.c1, m.d1, m.a2, m.b2, m.c2, m.d2,
          m.a3, m.b3, m.c3, m.d3, m.a4, m.b4, m.c4, m.d4};
}

void Rgba(const aiColor4D& c, float out[4]) {
  out[0] = c.r, out[1] = c.g, out[2] = c.b, out[3] = c.a;
}

uint32_t PackColour(const aiColor4D& c) {
  auto byte = [](float v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
  return byte(c.r) | byte(c.g) << 8 | byte(c.b) << 16 | byte(c.a) << 24;
}

class SceneCopy {
 public:
  SceneCopy(const aiScene& s, MeshData& out, bool isX) : s_(s), out_(out), isX_(isX) {}

  bool Run(std::string* err) {
    if (!s_.mRootNode) return Fail(err, "the model has no frames");
    if (!CountsFit(err)) return false;
    CopyMaterials();
    if (!CopyNodes(err)) return false;
    for (size_t n = 0; n < nodes_.size(); ++n)
      for (unsigned k = 0; k < nodes_[n]->mNumMeshes; ++k)
        if (!CopyMesh(nodes_[n]->mMeshes[k], static_cast<int>(n), err)) return false;
    if (out_.Indices.empty()) return Fail(err, "the model holds no triangles");
    return CopyAnimations(err);
  }

 private:
  // Refuses a scene whose declared sizes are beyond the limits before copying a byte.
  bool CountsFit(std::string* err) {
    if (s_.mNumMeshes > kMaxMeshParts) return Fail(err, "too many meshes");
    if (s_.mNumAnimations > kMaxAnimationSets) return Fail(err, "too many animation sets");
    uint64_t keys = 0;
    for (unsigned a = 0; a < s_.mNumAnimations; ++a) {
      const aiAnimation* an = s_.mAnimations[a];
      if (!an) continue;
      for (unsigned c = 0; c < an->mNumChannels; ++c) {
        const aiNodeAnim* ch = an->mChannels[c];
        if (ch) keys += uint64_t{ch->mNumPositionKeys} + ch->mNumRotationKeys + ch->mNumScalingKeys;
      }
    }
    if (keys > kMaxAnimationKeys) return Fail(err, "too many animation keys");
    return true;
  }

  void CopyMaterials() {
    for (unsigned i = 0; i < s_.mNumMaterials; ++i) {
      MeshMaterial mat;
      const aiMaterial* am = s_.mMaterials[i];
      if (am) {
        aiColor4D c;
        if (am->Get(AI_MATKEY_COLOR_DIFFUSE, c) == AI_SUCCESS) Rgba(c, mat.Diffuse);
        if (am->Get(AI_MATKEY_COLOR_AMBIENT, c) == AI_SUCCESS) Rgba(c, mat.Ambient);
        if (am->Get(AI_MATKEY_COLOR_SPECULAR, c) == AI_SUCCESS) Rgba(c, mat.Specular);
        float power = 0;
        if (am->Get(AI_MATKEY_SHININESS, power) == AI_SUCCESS && std::isfinite(power)) mat.Power = power;
        aiString tex;
        if (am->GetTexture(aiTextureType_DIFFUSE, 0, &tex) == AI_SUCCESS) mat.TextureFile = tex.C_Str();
      }
      out_.Materials.push_back(std::move(mat));
    }
    if (out_.Materials.empty()) out_.Materials.emplace_back();
  }

  // Frames parents first. The walk keeps its own depth limit and refuses a frame met
  // twice, so a damaged tree with a loop or shared children cannot run away.
  bool CopyNodes(std::string* err) {
    struct Pending {
      const aiNode* Node;
      int Parent;
      int Depth;
    };
    std::vector<Pending> stack{{s_.mRootNode, -1, 0}};
    std::unordered_set<const aiNode*> seen;
    while (!stack.empty()) {
      Pending p = stack.back();
      stack.pop_back();
      if (!p.Node) continue;
      if (!seen.insert(p.Node).second) return Fail(err, "the frame hierarchy has a loop");
      if (p.Depth > kMaxMeshDepth) return Fail(err, "the frame hierarchy is too deep");
      if (nodes_.size() >= kMaxMeshNodes) return Fail(err, "too many frames");
      MeshNode n;
      n.Name = p.Node->mName.C_Str();
      n.Parent = p.Parent;
      n.Local = ToD3D(p.Node->mTransformation);
      const int index = static_cast<int>(nodes_.size());
      out_.Nodes.push_back(std::move(n));
      nodes_.push_back(p.Node);
      byName_.emplace(out_.Nodes.back().Name, index);
      for (unsigned c = p.Node->mNumChildren; c-- > 0;)
        stack.push_back({p.Node->mChildren[c], index, p.Depth + 1});
    }
    return true;
  }

  bool CopyMesh(unsigned meshIndex, int node, std::string* err) {
    if (meshIndex >= s_.mNumMeshes || !s_.mMeshes[meshIndex]) return Fail(err, "a frame names a missing mesh");
    const aiMesh& am = *s_.mMeshes[meshIndex];
    if (!(am.mPrimitiveTypes & aiPrimitiveType_TRIANGLE)) return true;  // points and lines are not drawn
    if (out_.Parts.size() >= kMaxMeshParts) return Fail(err, "too many meshes");
    if (out_.Vertices.size() + am.mNumVertices > kMaxMeshVertices) return Fail(err, "too many vertices");
    if (out_.Indices.size() + uint64_t{am.mNumFaces} * 3 > kMaxMeshIndices) return Fail(err, "too many triangles");
    if (am.mNumBones > kMaxBonesPerPart) return Fail(err, "too many bones");

    MeshPart part;
    part.FirstVertex = static_cast<uint32_t>(out_.Vertices.size());
    part.VertexCount = am.mNumVertices;
    part.FirstIndex = static_cast<uint32_t>(out_.Indices.size());
    part.Node = node;
    part.Material = am.mMaterialIndex < out_.Materials.size() ? static_cast<int>(am.mMaterialIndex) : 0;
    for (unsigned v = 0; v < am.mNumVertices; ++v) {
      MeshVertex mv;
      const aiVector3D& p = am.mVertices[v];
      mv.Pos[0] = p.x, mv.Pos[1] = p.y, mv.Pos[2] = p.z;
      if (am.mNormals) {
        const aiVector3D& n = am.mNormals[v];
        mv.Normal[0] = n.x, mv.Normal[1] = n.y, mv.Normal[2] = n.z;
      }
      if (am.mTextureCoords[0]) mv.Uv[0] = am.mTextureCoords[0][v].x, mv.Uv[1] = am.mTextureCoords[0][v].y;
      if (am.mColors[0]) mv.Colour = PackColour(am.mColors[0][v]);
      for (float f : {mv.Pos[0], mv.Pos[1], mv.Pos[2]})
        if (!std::isfinite(f)) return Fail(err, "a vertex is not a number");
      out_.Vertices.push_back(mv);
    }
    for (unsigned f = 0; f < am.mNumFaces; ++f) {
      const aiFace& face = am.mFaces[f];
      if (face.mNumIndices != 3) continue;
      for (unsigned k = 0; k < 3; ++k) {
        if (face.mIndices[k] >= am.mNumVertices) return Fail(err, "a triangle names a missing vertex");
        out_.Indices.push_back(part.FirstVertex + face.mIndices[k]);
      }
    }
    part.IndexCount = static_cast<uint32_t>(out_.Indices.size()) - part.FirstIndex;
    if (am.mNumBones > 0 && !CopyBones(am, part, err)) return false;
    out_.Parts.push_back(std::move(part));
    return true;
  }

  bool CopyBones(const aiMesh& am, MeshPart& part, std::string* err) {
    out_.Skin.resize(out_.Vertices.size());
    for (unsigned b = 0; b < am.mNumBones; ++b) {
      const aiBone* bone = am.mBones[b];
      if (!bone) return Fail(err, "a bone is missing");
      auto it = byName_.find(bone->mName.C_Str());
      if (it == byName_.end()) return Fail(err, "a bone names a missing frame");
      part.Bones.push_back({it->second, ToD3D(bone->mOffsetMatrix)});
      for (unsigned w = 0; w < bone->mNumWeights; ++w) {
        const aiVertexWeight& vw = bone->mWeights[w];
        if (vw.mVertexId >= part.VertexCount || !std::isfinite(vw.mWeight)) continue;
        VertexWeights& s = out_.Skin[part.FirstVertex + vw.mVertexId];
        // Keep the four strongest influences.
        int slot = 0;
        for (int k = 1; k < 4; ++k)
          if (s.Weight[k] < s.Weight[slot]) slot = k;
        if (vw.mWeight > s.Weight[slot]) {
          s.Bone[slot] = static_cast<uint8_t>(b);
          s.Weight[slot] = vw.mWeight;
        }
      }
    }
    return true;
  }

  bool CopyAnimations(std::string* err) {
    for (unsigned a = 0; a < s_.mNumAnimations; ++a) {
      const aiAnimation* an = s_.mAnimations[a];
      if (!an) continue;
      AnimationSet set;
      set.Name = an->mName.C_Str();
      set.TicksPerSecond = an->mTicksPerSecond > 0 && std::isfinite(an->mTicksPerSecond)
                               ? an->mTicksPerSecond
                               : (isX_ ? kXTicksPerSecond : kOtherTicksPerSecond);
      set.Duration = std::isfinite(an->mDuration) ? std::max(0.0, an->mDuration) : 0.0;
      for (unsigned c = 0; c < an->mNumChannels; ++c) {
        const aiNodeAnim* ch = an->mChannels[c];
        if (!ch) continue;
        auto it = byName_.find(ch->mNodeName.C_Str());
        if (it == byName_.end()) continue;  // a track for a frame the model lacks moves nothing
        NodeTrack t;
        t.Node = it->second;
        for (unsigned k = 0; k < ch->mNumPositionKeys; ++k) {
          const aiVectorKey& key = ch->mPositionKeys[k];
          t.Position.push_back({key.mTime, {key.mValue.x, key.mValue.y, key.mValue.z}});
        }
        for (unsigned k = 0; k < ch->mNumScalingKeys; ++k) {
          const aiVectorKey& key = ch->mScalingKeys[k];
          t.Scale.push_back({key.mTime, {key.mValue.x, key.mValue.y, key.mValue.z}});
        }
        // Assimp already hands out the rotation for its own convention: no conjugation.
        for (unsigned k = 0; k < ch->mNumRotationKeys; ++k) {
          const aiQuatKey& key = ch->mRotationKeys[k];
          t.Rotation.push_back({key.mTime, {key.mValue.w, key.mValue.x, key.mValue.y, key.mValue.z}});
        }
        set.Tracks.push_back(std::move(t));
      }
      out_.Animations.push_back(std::move(set));
    }
    return ValidateMesh(out_, err);
  }

  const aiScene& s_;
  MeshData& out_;
  bool isX_;
  std::vector<const aiNode*> nodes_;
  std::unordered_map<std::string, int> byName_;
};

// Assimp and the copy, in whichever process runs it.
bool ImportScene(const std::vector<uint8_t>& bytes, const std::string& ext, bool keepHierarchy, MeshData& out,
                 std::string* err) {
  try {
    Assimp::Importer importer;
    unsigned flags = aiProcess_ConvertToLeftHanded | aiProcess_Triangulate | aiProcess_SortByPType |
                     aiProcess_JoinIdenticalVertices | aiProcess_GenSmoothNormals |
                     aiProcess_ValidateDataStructure;
    flags |= keepHierarchy ? aiProcess_LimitBoneWeights : aiProcess_PreTransformVertices;
    const aiScene* scene = importer.ReadFileFromMemory(bytes.data(), bytes.size(), flags, ext.c_str());
    if (!scene) {
      const std::string why = importer.GetErrorString();
      // Assimp reports a refused allocation by the exception's name.
      return Fail(err, why == "std::bad_alloc" ? "the model declares more data than allowed" : why);
    }
    if (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) return Fail(err, "the model is incomplete");
    SceneCopy copy(*scene, out, ext == "x");
    return copy.Run(err);
  } catch (const std::exception& e) {
    return Fail(err, e.what());
  }
}

// Private memory the process holds now (VmData), so the worker's limit is relative.
uint64_t DataBytesNow() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmData:") {
      uint64_t kb = 0;
      status >> kb;
      return kb * 1024;
    }
    status.ignore(1 << 16, '\n');
  }
  return 0;
}

bool WriteAll(int fd, const uint8_t* p, size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

[[noreturn]] void RunWorker(int fd, const std::vector<uint8_t>& bytes, const std::string& ext, bool keepHierarchy) {
  const uint64_t now = DataBytesNow();
  if (now > 0) {
    rlimit lim{};
    lim.rlim_cur = lim.rlim_max = now + kWorkerExtraBytes;
    setrlimit(RLIMIT_DATA, &lim);
  }
  alarm(kWorkerSeconds);
  MeshData mesh;
  std::string why;
  std::vector<uint8_t> answer;
  uint8_t ok = 0;
  try {
    ok = ImportScene(bytes, ext, keepHierarchy, mesh, &why) ? 1 : 0;
    if (ok) EncodeMesh(mesh, answer);
  } catch (...) {
    ok = 0;
    why = "out of memory";
  }
  if (!ok) answer.assign(why.begin(), why.end());
  WriteAll(fd, &ok, 1);
  WriteAll(fd, answer.data(), answer.size());
  ::close(fd);
  _exit(0);  // no atexit handlers, no flushing of the editor's buffers
}

}  // namespace

bool LoadMesh(const std::string& path, MeshData& out, std::string* err, bool keepHierarchy) {
  out = MeshData{};
  std::vector<uint8_t> bytes;
  if (!IsModelName(path)) return Fail(err, "not an X, 3DS or B3D file");
  if (!ReadModelFile(path, bytes, err)) return false;
  return LoadMeshBytes(bytes, path, out, err, keepHierarchy);
}

bool IsModelName(const std::string& name) {
  const std::string ext = LowerExtension(name);
  return ext == "x" || ext == "3ds" || ext == "b3d";
}

bool LoadMeshBytes(const std::vector<uint8_t>& bytes, const std::string& name, MeshData& out,
                   std::string* err, bool keepHierarchy) {
  out = MeshData{};
  const std::string ext = LowerExtension(name);
  if (!IsModelName(name)) return Fail(err, "not an X, 3DS or B3D file");
  if (bytes.size() > kMaxMeshFileBytes) return Fail(err, "the file is too large for a model");

  int fds[2];
  if (::pipe(fds) != 0) return Fail(err, "cannot start the model reader");
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return Fail(err, "cannot start the model reader");
  }
  if (pid == 0) {
    ::close(fds[0]);
    RunWorker(fds[1], bytes, ext, keepHierarchy);
  }
  ::close(fds[1]);
  std::vector<uint8_t> answer;
  uint8_t buf[1 << 16];
  bool tooLong = false;
  for (;;) {
    ssize_t n = ::read(fds[0], buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    if (answer.size() + static_cast<size_t>(n) > kMaxAnswerBytes) {
      tooLong = true;
      break;
    }
    answer.insert(answer.end(), buf, buf + n);
  }
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  const bool exited = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (tooLong || !exited || answer.empty()) return Fail(err, "the model reader gave up on this file");
  if (answer[0] != 1) return Fail(err, std::string(answer.begin() + 1, answer.end()));
  return DecodeMesh(answer.data() + 1, answer.size() - 1, out, err);
}

}  // namespace quellor
