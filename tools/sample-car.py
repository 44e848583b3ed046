#!/usr/bin/env python3
# Writes roadhog.rbc, the Phaedra Clydesdale "Road Hog" of the README's
# pictures, byte by byte: a length-prefixed name and 29 little-endian integers.
import struct

name = b"Road Hog"
fields = [24, 4, 3, 3, 3, 4, 6, 0, 0, 8, 17, 15, 0, 2, 0, 3, 5, 11, 1, 1,
          0, 85, 70, 80, 75, 80, 80, 85, 85]
with open("roadhog.rbc", "wb") as car:
    car.write(bytes([len(name)]) + name + struct.pack("<29i", *fields))
