# Every Windows program is hardened like the system's own: stack protection in each
# function with a local array or a taken address (its runtime linked statically, as
# the toolchain links everything), ASLR with the relocations kept (high-entropy on
# x86_64), DEP. Not in the toolchain's initial flags, which an existing cache keeps.
add_compile_options(-fstack-protector-strong)
add_link_options(-fstack-protector-strong LINKER:--dynamicbase,--enable-reloc-section,--nxcompat)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(LINKER:--high-entropy-va)
endif()
