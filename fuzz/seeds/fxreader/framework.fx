float4 tint : DIFFUSE < string UIName = "Tint"; > = {1, 0, 1, 0};
float amount : register(c4) = 2;
float4 filled = 0.5;
float weights[3] = {1, -2, 3.5f};
row_major float4x4 rm;
static const float kConst = 1;
texture texture0 < string ResourceName = "a.png"; >;
textureCUBE env;
sampler postTex : register(s0) = sampler_state { Texture = <texture0>; MinFilter = Linear; AddressU = Clamp; Funky = 3; };
sampler envSampler = sampler_state { Texture = (env); };
float4 PS(float2 uv : TEXCOORD0, uniform float k, uniform float2 j) : COLOR { return tex2D(postTex, uv) * k; }
technique PostProcess < string Script = "x"; > {
  pass p0 {
    PixelShader = compile ps_2_0 PS(0.5, float2(1, -1));
    AlphaBlendEnable = TRUE; SrcBlend = SrcAlpha; DestBlend = D3DBLEND_INVSRCALPHA;
    CullMode = None; ColorWriteEnable = RED | BLUE; Lighting = FALSE;
  }
}
