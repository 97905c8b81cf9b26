// Wobble: the object's vertices swing with time, lit by the light direction and
// textured with the object's texture. Var1 sets the swing, Var2 its speed.
float4x4 worldViewProj;
float4x4 matWorld;
float3 lightDir;
float time;
float Var1 = 0.5;
float Var2 = 0.5;

texture texture0;
sampler objectTexture = sampler_state {
  Texture = <texture0>;
  MinFilter = Linear;
  MagFilter = Linear;
};

struct VertexOut {
  float4 Position : POSITION;
  float2 Uv : TEXCOORD0;
  float Light : TEXCOORD1;
};

VertexOut WobbleVS(float4 pos : POSITION, float3 normal : NORMAL, float2 uv : TEXCOORD0) {
  VertexOut o;
  float swing = sin(pos.y * 4.0 + time * (1.0 + Var2 * 6.0)) * Var1 * 0.25;
  pos.xz += normal.xz * swing;
  // worldViewProj comes transposed (column vectors); matWorld as is (row vectors).
  o.Position = mul(worldViewProj, pos);
  float3 n = normalize(mul(normal, (float3x3)matWorld));
  o.Light = 0.3 + 0.7 * saturate(dot(n, -normalize(lightDir)));
  o.Uv = uv;
  return o;
}

float4 WobblePS(float2 uv : TEXCOORD0, float light : TEXCOORD1) : COLOR {
  float4 tex = tex2D(objectTexture, uv);
  return float4(tex.rgb * light, tex.a);
}

technique Technique0 {
  pass p0 {
    CullMode = CCW;
    ZEnable = true;
    VertexShader = compile vs_2_0 WobbleVS();
    PixelShader = compile ps_2_0 WobblePS();
  }
}
