# Makes the network share \\velmora\share in the Wine prefix PREFIX: Wine finds a share's folder through the
# prefix's dosdevices/unc/SERVER/SHARE link.
file(MAKE_DIRECTORY ${PREFIX}/drive_c/velmora-share ${PREFIX}/dosdevices/unc/velmora)
file(CREATE_LINK ${PREFIX}/drive_c/velmora-share ${PREFIX}/dosdevices/unc/velmora/share SYMBOLIC)
