#include "editors_modbus_bacnet/bacnet_texts.h"

std::vector<TLangBlock> BACnet_Lang_Blocks()
{
    // Entries 2292, 2293 and 2319 are read by no window and hold a blank.
    return {
        {2200,
         {
             QStringLiteral("BACnet Client Set Access"),  // 2200
             QStringLiteral("Set the BACnet Client Access Rules"),  // 2201
             QStringLiteral("OK"),  // 2202
             QStringLiteral("Cancel"),  // 2203
             QStringLiteral("Delete Row"),  // 2204
             QStringLiteral("Insert Row"),  // 2205
             QStringLiteral("BACnet Read"),  // 2206
             QStringLiteral("BACnet Write"),  // 2207
             QStringLiteral("N"),  // 2208
             QStringLiteral("IP Address"),  // 2209
             QStringLiteral("Slave ID"),  // 2210
             QStringLiteral("Object Type"),  // 2211
             QStringLiteral("Instance"),  // 2212
             QStringLiteral("Property"),  // 2213
             QStringLiteral("NByte"),  // 2214
             QStringLiteral("Poll Time"),  // 2215
             QStringLiteral("Max Err"),  // 2216
             QStringLiteral("Position"),  // 2217
             QStringLiteral("Start Bit"),  // 2218
             QStringLiteral("Mnemonic"),  // 2219
             QStringLiteral("N"),  // 2220
             QStringLiteral("IP Address"),  // 2221
             QStringLiteral("Slave ID"),  // 2222
             QStringLiteral("Object Type"),  // 2223
             QStringLiteral("Data Type"),  // 2224
             QStringLiteral("Instance"),  // 2225
             QStringLiteral("Property"),  // 2226
             QStringLiteral("Priority"),  // 2227
             QStringLiteral("NByte"),  // 2228
             QStringLiteral("Change"),  // 2229
             QStringLiteral("Timer"),  // 2230
             QStringLiteral("Poll Time"),  // 2231
             QStringLiteral("Max Err"),  // 2232
             QStringLiteral("Position"),  // 2233
             QStringLiteral("Start Bit"),  // 2234
             QStringLiteral("Mnemonic"),  // 2235
             QStringLiteral("Are you sure to delete the Row number "),  // 2236
             QStringLiteral("Error in Read, row "),  // 2237
             QStringLiteral("!! IP Address is not correct"),  // 2238
             QStringLiteral("!! Slave ID must be between 0 and 254"),  // 2239
             QStringLiteral("!! Object Type is not correct. Select one from the list"),  // 2240
             QStringLiteral("!! Instance must be between 0 and 4294967295"),  // 2241
             QStringLiteral("!! Property is not correct. Select one from the list"),  // 2242
             QStringLiteral("!! NByte must be between 0 and 255"),  // 2243
             QStringLiteral("!! Poll Time must be between 0 and 100000000 ms"),  // 2244
             QStringLiteral("!! Max Err must be between 0 and 655535"),  // 2245
             QStringLiteral("Error in Write, row "),  // 2246
             QStringLiteral("!! IP Address is not correct"),  // 2247
             QStringLiteral("!! Slave ID must be between 0 and 254"),  // 2248
             QStringLiteral("!! Object Type is not correct. Select one from the list"),  // 2249
             QStringLiteral("!! Instance must be between 0 and 4294967295"),  // 2250
             QStringLiteral("!! Property is not correct. Select one from the list"),  // 2251
             QStringLiteral("!! Data Type is not correct"),  // 2252
             QStringLiteral("!! Priority must be between 0 and 16"),  // 2253
             QStringLiteral("!! NByte must be between 0 and "),  // 2254
             QStringLiteral("!! Poll Time must be between 0 and 100000000"),  // 2255
             QStringLiteral("!! Max Err must be between 0 and 655535"),  // 2256
             QStringLiteral("Select the BACnet Type in the \"Set Communication\" section"),  // 2257
             QStringLiteral("!! Data Type is not correct. Aspected Data Type is "),  // 2258
             QStringLiteral("Import EDE"),  // 2259
             QStringLiteral("Swap"),  // 2260
             QStringLiteral("Swap"),  // 2261
             QStringLiteral("En Dest"),  // 2262
             QStringLiteral("D Net"),  // 2263
             QStringLiteral("D Len"),  // 2264
             QStringLiteral("D Add"),  // 2265
             QStringLiteral("En Dest"),  // 2266
             QStringLiteral("D Net"),  // 2267
             QStringLiteral("D Len"),  // 2268
             QStringLiteral("D Add"),  // 2269
             QStringLiteral("!! Destination Network must be between 1 and 65535"),  // 2270
             QStringLiteral("!! Destination Lenght must be 1 or 2 or 6"),  // 2271
             QStringLiteral("!! Destination Address must be between 0 and 255"),  // 2272
             QStringLiteral("!! Destination Address must be between 1 and 65535"),  // 2273
             QStringLiteral("!! Destination Address must be in correct form, IP Address plus Port (ex. 192.168.0.15:47808)"),  // 2274
             QStringLiteral("!! Destination Network must be between 1 and 65535"),  // 2275
             QStringLiteral("!! Destination Lenght must be 1 or 2 or 6"),  // 2276
             QStringLiteral("!! Destination Address must be between 0 and 255"),  // 2277
             QStringLiteral("!! Destination Address must be between 1 and 65535"),  // 2278
             QStringLiteral("!! Destination Address must be in correct form, IP Address plus Port (ex. 192.168.0.15:47808)"),  // 2279
             QStringLiteral("Convertion"),  // 2280
             QStringLiteral("Convertion"),  // 2281
             QStringLiteral("!! Bytes of Destination Address must be between 0 and 255"),  // 2282
             QStringLiteral("!! Bytes of Destination Address must be between 0 and 255"),  // 2283
             QStringLiteral("!! Destination Address has too many bytes"),  // 2284
             QStringLiteral("!! Destination Address has too many bytes"),  // 2285
             QStringLiteral("!! Destination Length is Wrong, choose one in List"),  // 2286
             QStringLiteral("!! Destination Length is Wrong, choose one in List"),  // 2287
             QStringLiteral("!! Destination Address has too few bytes"),  // 2288
             QStringLiteral("!! Destination Address has too few bytes"),  // 2289
             QStringLiteral("Enable"),  // 2290
             QStringLiteral("Enable"),  // 2291
             QStringLiteral(" "),  // 2292
             QStringLiteral(" "),  // 2293
         }},
        {2300,
         {
             QStringLiteral("Import BACnet EDE File"),  // 2300
             QStringLiteral("Import EDE File of a BACnet Slave"),  // 2301
             QStringLiteral("OK"),  // 2302
             QStringLiteral("Cancel"),  // 2303
             QStringLiteral("N"),  // 2304
             QStringLiteral("Import"),  // 2305
             QStringLiteral("Read"),  // 2306
             QStringLiteral("Write"),  // 2307
             QStringLiteral("Name"),  // 2308
             QStringLiteral("Object Type"),  // 2309
             QStringLiteral("Instance"),  // 2310
             QStringLiteral("Description"),  // 2311
             QStringLiteral("Commandable"),  // 2312
             QStringLiteral("Error line "),  // 2313
             QStringLiteral("!! The Variable is only in read"),  // 2314
             QStringLiteral("ID or IP address of the BACnet device"),  // 2315
             QStringLiteral("Error!! IP Address is not correct"),  // 2316
             QStringLiteral("Error!! Slave ID must be between 0 and 254"),  // 2317
             QStringLiteral("Warning!! No free Row in the table. Number of Objects not imported: "),  // 2318
             QStringLiteral(" "),  // 2319
             QStringLiteral("Select All"),  // 2320
             QStringLiteral("Unselect All"),  // 2321
         }},
        {2400,
         {
             QStringLiteral("BACnet Set Access"),  // 2400
             QStringLiteral("BACnet Set Access"),  // 2401
             QStringLiteral("OK"),  // 2402
             QStringLiteral("Cancel"),  // 2403
             QStringLiteral("Delete Row"),  // 2404
             QStringLiteral("Insert Row"),  // 2405
             QStringLiteral("Copy Row"),  // 2406
             QStringLiteral("Paste Row"),  // 2407
             QStringLiteral("BACnet in Read"),  // 2408
             QStringLiteral("BACnet in Write"),  // 2409
             QStringLiteral("Confirm and save the List of BACnet Objects"),  // 2410
             QStringLiteral("Exit without save the List of BACnet Objects"),  // 2411
             QStringLiteral("Delete the Selected Row in the table"),  // 2412
             QStringLiteral("Insert a Row in the Table"),  // 2413
             QStringLiteral("Copy all Fields of the Selected Row"),  // 2414
             QStringLiteral("Paste the Copied Fields in the Selected Row"),  // 2415
             QStringLiteral("N"),  // 2416
             QStringLiteral("Data Type"),  // 2417
             QStringLiteral("Eng. Unit"),  // 2418
             QStringLiteral("Position"),  // 2419
             QStringLiteral("Start Bit"),  // 2420
             QStringLiteral("Length"),  // 2421
             QStringLiteral("Swap"),  // 2422
             QStringLiteral("Mnemonic"),  // 2423
             QStringLiteral("N"),  // 2424
             QStringLiteral("Data Type"),  // 2425
             QStringLiteral("Eng. Unit"),  // 2426
             QStringLiteral("Position"),  // 2427
             QStringLiteral("Start Bit"),  // 2428
             QStringLiteral("Length"),  // 2429
             QStringLiteral("Swap"),  // 2430
             QStringLiteral("Mnemonic"),  // 2431
             QStringLiteral("Error row "),  // 2432
             QStringLiteral("!! [BACnet in Read] Eng. Unit must be between 0 and 65535"),  // 2433
             QStringLiteral("!! [BACnet in Read] Position must be between 0 and "),  // 2434
             QStringLiteral("!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4"),  // 2435
             QStringLiteral("!! [BACnet in Read] Length with variable \"Positive Integer Value\" must be between 1 and 4"),  // 2436
             QStringLiteral("!! [BACnet in Read] Length with variable \"Large Analog Value\" must be between 1 and 8"),  // 2437
             QStringLiteral("!! [BACnet in Read] Length with variable \"Analog Value\" must be between 1 and 4"),  // 2438
             QStringLiteral("!! [BACnet in Read] Length with variable \"Multi State Input\" must be between 1 and 4"),  // 2439
             QStringLiteral("!! [BACnet in Read] Length with variable \"Multi State Value\" must be between 1 and 4"),  // 2440
             QStringLiteral("!! [BACnet in Read] Length with variable \"Life Safety Point\" must be 1 or 2"),  // 2441
             QStringLiteral("!! [BACnet in Read] Length with variable \"Life Safety Zone\" must be 1 or 2"),  // 2442
             QStringLiteral("!! [BACnet in Read] Length with variable \"Access Door\" must be equal to 1"),  // 2443
             QStringLiteral("!! [BACnet in Read] Length with variable \"Accumulator\" must be between 1 and 4"),  // 2444
             QStringLiteral("!! [BACnet in Read] Bit must be between 0 and 7"),  // 2445
             QStringLiteral("!! [BACnet in Read] Too many bytes to save starting from the Position indicate"),  // 2446
             QStringLiteral("!! [BACnet in Write] Eng. Unit must be between 0 and 65535"),  // 2447
             QStringLiteral("!! [BACnet in Write] Position must be between 0 and "),  // 2448
             QStringLiteral("!! [BACnet in Write] Length with variable \"Analog Out\" must be between 1 and 4"),  // 2449
             QStringLiteral("!! [BACnet in Write] Length with variable \"Analog Value\" must be between 1 and 4"),  // 2450
             QStringLiteral("!! [BACnet in Write] Length with variable \"Positive Integer Value\" must be between 1 and 4"),  // 2451
             QStringLiteral("!! [BACnet in Write] Length with variable \"Large Analog Value\" must be between 1 and 8"),  // 2452
             QStringLiteral("!! [BACnet in Write] Length with variable \"Integer Value\" must be between 1 and 4"),  // 2453
             QStringLiteral("!! [BACnet in Write] Length with variable \"Multi State Output\" must be between 1 and 4"),  // 2454
             QStringLiteral("!! [BACnet in Write] Length with variable \"Multi State Value\" must be between 1 and 4"),  // 2455
             QStringLiteral("!! [BACnet in Write] Length with variable \"Access Door\" must be equal to 1"),  // 2456
             QStringLiteral("!! [BACnet in Write] Bit must be between 0 and 7"),  // 2457
             QStringLiteral("!! [BACnet in Write] Too many bytes to save starting from the Position indicate"),  // 2458
             QStringLiteral("Error!! Too many Requests. Max requests "),  // 2459
             QStringLiteral("Are you sure to delete the Row number "),  // 2460
         }},
        {2500,
         {
             QStringLiteral("Select the BACnet Engineering Unit"),  // 2500
             QStringLiteral("Select the BACnet Engineering Unit"),  // 2501
             QStringLiteral("OK"),  // 2502
             QStringLiteral("Cancel"),  // 2503
             QStringLiteral("Selected BACnet Engineering Unit"),  // 2504
             QStringLiteral("Select a New BACnet Engineering Unit"),  // 2505
             QStringLiteral("Select the Type"),  // 2506
             QStringLiteral("Select Unit"),  // 2507
             QStringLiteral("Select Engineering Unit"),  // 2508
         }},
    };
}
