#include "editors_can/can_texts.h"

std::vector<TLangBlock> CAN_Lang_Blocks()
{
    // The CAN receive block ends before 2659, the blank its window reads as a caption.
    return {
        {2600,
         {
             QStringLiteral("Receive CAN Frames Set Access"),  // 2600
             QStringLiteral("Receive CAN Frames Set Access"),  // 2601
             QStringLiteral("OK"),  // 2602
             QStringLiteral("Cancel"),  // 2603
             QStringLiteral("Delete Row"),  // 2604
             QStringLiteral("Insert Row"),  // 2605
             QStringLiteral("Copy Row"),  // 2606
             QStringLiteral("Paste Row"),  // 2607
             QStringLiteral("N"),  // 2608
             QStringLiteral("Enable"),  // 2609
             QStringLiteral("CobID"),  // 2610
             QStringLiteral("Type"),  // 2611
             QStringLiteral("Dimension"),  // 2612
             QStringLiteral("TimeOut"),  // 2613
             QStringLiteral("Byte1"),  // 2614
             QStringLiteral("Byte2"),  // 2615
             QStringLiteral("Byte3"),  // 2616
             QStringLiteral("Byte4"),  // 2617
             QStringLiteral("Byte5"),  // 2618
             QStringLiteral("Byte6"),  // 2619
             QStringLiteral("Byte7"),  // 2620
             QStringLiteral("Byte8"),  // 2621
             QStringLiteral("Mnemonic"),  // 2622
             QStringLiteral("Confirm and save the Receive CAN Frames List"),  // 2623
             QStringLiteral("Exit without save the Receive CAN Frames List"),  // 2624
             QStringLiteral("Delete the Selected Row in the table"),  // 2625
             QStringLiteral("Insert a Row in the Table"),  // 2626
             QStringLiteral("Copy all Fields of the Selected Row"),  // 2627
             QStringLiteral("Paste the Copied Fields in the Selected Row"),  // 2628
             QStringLiteral("Enable or Disable the CAN Frame"),  // 2629
             QStringLiteral("Insert the CobID of the CAN Frame"),  // 2630
             QStringLiteral("Select the Type of the CAN Frame (2.0A 11 bits or 2.0B 29 bits)"),  // 2631
             QStringLiteral("Insert the Dimension of the CAN Frame (1 to 8 bytes)"),  // 2632
             QStringLiteral("Insert the TimeOut of the CAN Frame expressed in milliseconds"),  // 2633
             QStringLiteral("Insert the TimeOut of the CAN Frame expressed in milliseconds (0 = TimeOut disabled)"),  // 2634
             QStringLiteral("Select the Position in the Receive Array where to save the Byte1 of the CAN Frame (None = not saved)"),  // 2635
             QStringLiteral("Select the Position in the Receive Array where to save the Byte2 of the CAN Frame (None = not saved)"),  // 2636
             QStringLiteral("Select the Position in the Receive Array where to save the Byte3 of the CAN Frame (None = not saved)"),  // 2637
             QStringLiteral("Select the Position in the Receive Array where to save the Byte4 of the CAN Frame (None = not saved)"),  // 2638
             QStringLiteral("Select the Position in the Receive Array where to save the Byte5 of the CAN Frame (None = not saved)"),  // 2639
             QStringLiteral("Select the Position in the Receive Array where to save the Byte6 of the CAN Frame (None = not saved)"),  // 2640
             QStringLiteral("Select the Position in the Receive Array where to save the Byte7 of the CAN Frame (None = not saved)"),  // 2641
             QStringLiteral("Select the Position in the Receive Array where to save the Byte8 of the CAN Frame (None = not saved)"),  // 2642
             QStringLiteral("Insert a description of the CAN Frame"),  // 2643
             QStringLiteral("Error row "),  // 2644
             QStringLiteral("!! CobID must be between 0 and 2047"),  // 2645
             QStringLiteral("!! CobID must be between 0x00000000 and 0x1FFFFFFF"),  // 2646
             QStringLiteral("!! Dimension must be between 1 and 8"),  // 2647
             QStringLiteral("!! TimeOut must be between 0 and 100000000 milliseconds"),  // 2648
             QStringLiteral("!! Byte1 must be between 0 and "),  // 2649
             QStringLiteral(" or None"),  // 2650
             QStringLiteral("!! Byte2 must be between 0 and "),  // 2651
             QStringLiteral("!! Byte3 must be between 0 and "),  // 2652
             QStringLiteral("!! Byte4 must be between 0 and "),  // 2653
             QStringLiteral("!! Byte5 must be between 0 and "),  // 2654
             QStringLiteral("!! Byte6 must be between 0 and "),  // 2655
             QStringLiteral("!! Byte7 must be between 0 and "),  // 2656
             QStringLiteral("!! Byte8 must be between 0 and "),  // 2657
             QStringLiteral("Are you sure to delete the Row number "),  // 2658
         }},
        {2700,
         {
             QStringLiteral("Transmit CAN Frames Set Access"),  // 2700
             QStringLiteral("Transmit CAN Frames Set Access"),  // 2701
             QStringLiteral("OK"),  // 2702
             QStringLiteral("Cancel"),  // 2703
             QStringLiteral("Delete Row"),  // 2704
             QStringLiteral("Insert Row"),  // 2705
             QStringLiteral("Copy Row"),  // 2706
             QStringLiteral("Paste Row"),  // 2707
             QStringLiteral("N"),  // 2708
             QStringLiteral("Enable"),  // 2709
             QStringLiteral("CobID"),  // 2710
             QStringLiteral("Type"),  // 2711
             QStringLiteral("Dimension"),  // 2712
             QStringLiteral("OnChange"),  // 2713
             QStringLiteral("OnTimer"),  // 2714
             QStringLiteral("Time"),  // 2715
             QStringLiteral("Byte1"),  // 2716
             QStringLiteral("Byte2"),  // 2717
             QStringLiteral("Byte3"),  // 2718
             QStringLiteral("Byte4"),  // 2719
             QStringLiteral("Byte5"),  // 2720
             QStringLiteral("Byte6"),  // 2721
             QStringLiteral("Byte7"),  // 2722
             QStringLiteral("Byte8"),  // 2723
             QStringLiteral("Mnemonic"),  // 2724
             QStringLiteral("Confirm and save the Transmit CAN Frames List"),  // 2725
             QStringLiteral("Exit without save the Transmit CAN Frames List"),  // 2726
             QStringLiteral("Delete the Selected Row in the table"),  // 2727
             QStringLiteral("Insert a Row in the Table"),  // 2728
             QStringLiteral("Copy all Fields of the Selected Row"),  // 2729
             QStringLiteral("Paste the Copied Fields in the Selected Row"),  // 2730
             QStringLiteral("Enable or Disable the CAN Frame"),  // 2731
             QStringLiteral("Insert the CobID of the CAN Frame"),  // 2732
             QStringLiteral("Select the Type of the CAN Frame (2.0A 11 bits or 2.0B 29 bits)"),  // 2733
             QStringLiteral("Insert the Dimension of the CAN Frame (1 to 8 bytes)"),  // 2734
             QStringLiteral("Send the CAN Frame when the Data change"),  // 2735
             QStringLiteral("Send the CAN Frame with the Timer"),  // 2736
             QStringLiteral("Insert the Time between two sendings of the CAN Frame expressed in milliseconds"),  // 2737
             QStringLiteral("Select the Position in the Transmit Array of the Data to send in the Byte1 of the CAN Frame (None = not used)"),  // 2738
             QStringLiteral("Select the Position in the Transmit Array of the Data to send in the Byte2 of the CAN Frame (None = not used)"),  // 2739
             QStringLiteral("Select the Position in the Transmit Array of the Data to send in the Byte3 of the CAN Frame (None = not used)"),  // 2740
             QStringLiteral("Select the Position in the Transmit Array of the Data to send in the Byte4 of the CAN Frame (None = not used)"),  // 2741
             QStringLiteral("Select the Position in the Transmit Array of the Data to send in the Byte5 of the CAN Frame (None = not used)"),  // 2742
             QStringLiteral("Select the Position in the Transmit Array of the Data to send in the Byte6 of the CAN Frame (None = not used)"),  // 2743
             QStringLiteral("Select the Position in the Transmit Array of the Data to send in the Byte7 of the CAN Frame (None = not used)"),  // 2744
             QStringLiteral("Select the Position in the Transmit Array of the Data to send in the Byte8 of the CAN Frame (None = not used)"),  // 2745
             QStringLiteral("Insert a description of the CAN Frame"),  // 2746
             QStringLiteral("Error row "),  // 2747
             QStringLiteral("!! CobID must be between 0 and 2047"),  // 2748
             QStringLiteral("!! CobID must be between 0x00000000 and 0x1FFFFFFF"),  // 2749
             QStringLiteral("!! Dimension must be between 1 and 8"),  // 2750
             QStringLiteral("!! Time must be between 0 and 100000000 milliseconds"),  // 2751
             QStringLiteral("!! Byte1 must be between 0 and "),  // 2752
             QStringLiteral(" or None"),  // 2753
             QStringLiteral("!! Byte2 must be between 0 and "),  // 2754
             QStringLiteral("!! Byte3 must be between 0 and "),  // 2755
             QStringLiteral("!! Byte4 must be between 0 and "),  // 2756
             QStringLiteral("!! Byte5 must be between 0 and "),  // 2757
             QStringLiteral("!! Byte6 must be between 0 and "),  // 2758
             QStringLiteral("!! Byte7 must be between 0 and "),  // 2759
             QStringLiteral("!! Byte8 must be between 0 and "),  // 2760
             QStringLiteral("Are you sure to delete the Row number "),  // 2761
             QStringLiteral("OnCMD"),  // 2762
             QStringLiteral("Send the CAN Frame on Command"),  // 2763
         }},
        {3100,
         {
             QStringLiteral("DeviceNet Network"),  // 3100
             QStringLiteral("DeviceNet Network"),  // 3101
             QStringLiteral("OK"),  // 3102
             QStringLiteral("Cancel"),  // 3103
             QStringLiteral("Delete Row"),  // 3104
             QStringLiteral("Insert Row"),  // 3105
             QStringLiteral("Copy Row"),  // 3106
             QStringLiteral("Paste Row"),  // 3107
             QStringLiteral("Confirm and save the DeviceNet Slaves List"),  // 3108
             QStringLiteral("Exit without save the DeviceNet Slaves List"),  // 3109
             QStringLiteral("Delete the Selected Row in the table"),  // 3110
             QStringLiteral("Insert a Row in the Table"),  // 3111
             QStringLiteral("Copy all Fields of the Selected Row"),  // 3112
             QStringLiteral("Paste the Copied Fields in the Selected Row"),  // 3113
             QStringLiteral("N"),  // 3114
             QStringLiteral("ID Slave"),  // 3115
             QStringLiteral("Num Byte In"),  // 3116
             QStringLiteral("Num Byte Out"),  // 3117
             QStringLiteral("Mnemonic"),  // 3118
             QStringLiteral("Insert the ID of DeviceNet Slave"),  // 3119
             QStringLiteral("Insert the Input Number of Bytes of DeviceNet Slave"),  // 3120
             QStringLiteral("Insert the Output Number of Bytes of DeviceNet Slave"),  // 3121
             QStringLiteral("Insert a description of DeviceNet Slave"),  // 3122
             QStringLiteral("Error in row "),  // 3123
             QStringLiteral("!! ID must be 0 or 63"),  // 3124
             QStringLiteral("!! Number Byte IN must be 0 or 65535"),  // 3125
             QStringLiteral("!! Number Byte OUT must be 0 or 65535"),  // 3126
             QStringLiteral("Are you sure to delete the Row number "),  // 3127
         }},
        {3200,
         {
             QStringLiteral("Define Offset"),  // 3200
             QStringLiteral("Define DeviceNet Offset"),  // 3201
             QStringLiteral("OK"),  // 3202
             QStringLiteral("Cancel"),  // 3203
             QStringLiteral("Confirm and save the Bytes Configuration"),  // 3204
             QStringLiteral("Exit without save the Bytes Configuration"),  // 3205
             QStringLiteral("Byte In"),  // 3206
             QStringLiteral("Byte Out"),  // 3207
             QStringLiteral("Select the Slave DeviceNet"),  // 3208
             QStringLiteral("Select the position in array of the DeviceNet bytes."),  // 3209
             QStringLiteral("Use \"None\" to not pass the byte from DeviceNet to IO-Link Slave"),  // 3210
             QStringLiteral("ID Slave"),  // 3211
             QStringLiteral("Num Byte In"),  // 3212
             QStringLiteral("Num Byte Out"),  // 3213
             QStringLiteral("Mnemonic"),  // 3214
             QStringLiteral("Byte"),  // 3215
             QStringLiteral("Offset"),  // 3216
             QStringLiteral("Mnemonic"),  // 3217
             QStringLiteral("Byte"),  // 3218
             QStringLiteral("Offset"),  // 3219
             QStringLiteral("Mnemonic"),  // 3220
             QStringLiteral("Error in ByteOUT! The same byte of IO-Link Slave is used in two bytes DeviceNet."),  // 3221
             QStringLiteral("First ID = "),  // 3222
             QStringLiteral(" Byte = "),  // 3223
             QStringLiteral(", Second ID = "),  // 3224
             QStringLiteral(" Byte = "),  // 3225
         }},
        {3700,
         {
             QStringLiteral("Receive J1939 Frames"),  // 3700
             QStringLiteral("Receive J1939 Frames"),  // 3701
             QStringLiteral("OK"),  // 3702
             QStringLiteral("Cancel"),  // 3703
             QStringLiteral("Delete Row"),  // 3704
             QStringLiteral("Insert Row"),  // 3705
             QStringLiteral("Copy Row"),  // 3706
             QStringLiteral("Paste Row"),  // 3707
             QStringLiteral("Confirm and save the J1939 Receive Frames List"),  // 3708
             QStringLiteral("Exit without save the 1939 Receive Frames List"),  // 3709
             QStringLiteral("Delete the Selected Row in the table"),  // 3710
             QStringLiteral("Insert a Row in the Table"),  // 3711
             QStringLiteral("Copy all Fields of the Selected Row"),  // 3712
             QStringLiteral("Paste the Copied Fields in the Selected Row"),  // 3713
             QStringLiteral("N"),  // 3714
             QStringLiteral("Data Page"),  // 3715
             QStringLiteral("PGN"),  // 3716
             QStringLiteral("Source Address"),  // 3717
             QStringLiteral("Transport Protocol"),  // 3718
             QStringLiteral("Start Byte"),  // 3719
             QStringLiteral("N Byte"),  // 3720
             QStringLiteral("Cancel Data"),  // 3721
             QStringLiteral("On Request"),  // 3722
             QStringLiteral("Time(ms)"),  // 3723
             QStringLiteral("Mnemonic"),  // 3724
             QStringLiteral("Select the Data Page of the PGN (0 or 1)"),  // 3725
             QStringLiteral("Insert the PGN to receive"),  // 3726
             QStringLiteral("Insert the Source Address of the J1939 Frame (0 to 239)"),  // 3727
             QStringLiteral("Enable if the PGN is received with the Transport Protocol"),  // 3728
             QStringLiteral("Insert the first Byte of Data to save"),  // 3729
             QStringLiteral("Insert the Number of Bytes of Data to save"),  // 3730
             QStringLiteral("Enable to cancel the Data when the TimeOut elapses"),  // 3731
             QStringLiteral("Enable to send the Request of the PGN"),  // 3732
             QStringLiteral("Insert the Time between two Requests expressed in milliseconds"),  // 3733
             QStringLiteral("Insert a description of the J1939 Frame"),  // 3734
             QStringLiteral("Error in row "),  // 3735
             QStringLiteral("!! Data Page must be 0 or 1"),  // 3736
             QStringLiteral("!! PGN must be between 0x0000 and 0xFFFF"),  // 3737
             QStringLiteral("!! Source Address must be between 0 and 239"),  // 3738
             QStringLiteral("!! Start Byte must be between 0 and 1785"),  // 3739
             QStringLiteral("!! Start Byte plus Number Bytes must be between 0 and 1785"),  // 3740
             QStringLiteral("!! Start Byte and Number Bytes must be both compiled"),  // 3741
             QStringLiteral("!! The Start Byte must be between 1 and 8"),  // 3742
             QStringLiteral("!! The Number Bytes must be between 1 and 8"),  // 3743
             QStringLiteral("!! The Number Bytes plus Start Byte must be minor of 9"),  // 3744
             QStringLiteral("Error!! Too many bytes of data, the max number is "),  // 3745
             QStringLiteral("!! Time(ms) must be between 0 and 10000000"),  // 3746
             QStringLiteral("Are you sure to delete the Row number "),  // 3747
         }},
        {3800,
         {
             QStringLiteral("Transmit J1939 Frames"),  // 3800
             QStringLiteral("Transmit J1939 Frames"),  // 3801
             QStringLiteral("OK"),  // 3802
             QStringLiteral("Cancel"),  // 3803
             QStringLiteral("Delete Row"),  // 3804
             QStringLiteral("Insert Row"),  // 3805
             QStringLiteral("Copy Row"),  // 3806
             QStringLiteral("Paste Row"),  // 3807
             QStringLiteral("Confirm and save the J1939 Transmit Frames List"),  // 3808
             QStringLiteral("Exit without save the 1939 Transmit Frames List"),  // 3809
             QStringLiteral("Delete the Selected Row in the table"),  // 3810
             QStringLiteral("Insert a Row in the Table"),  // 3811
             QStringLiteral("Copy all Fields of the Selected Row"),  // 3812
             QStringLiteral("Paste the Copied Fields in the Selected Row"),  // 3813
             QStringLiteral("N"),  // 3814
             QStringLiteral("Priority"),  // 3815
             QStringLiteral("Data Page"),  // 3816
             QStringLiteral("PGN"),  // 3817
             QStringLiteral("Source Address"),  // 3818
             QStringLiteral("N Bytes"),  // 3819
             QStringLiteral("Request"),  // 3820
             QStringLiteral("Data Change"),  // 3821
             QStringLiteral("On Timer"),  // 3822
             QStringLiteral("Send Timer"),  // 3823
             QStringLiteral("Mnemonic"),  // 3824
             QStringLiteral("Insert the Priority of the J1939 Frame (0 to 7)"),  // 3825
             QStringLiteral("Select the Data Page of the PGN (0 or 1)"),  // 3826
             QStringLiteral("Insert the PGN to send"),  // 3827
             QStringLiteral("Insert the Source Address of the J1939 Frame (0 to 255)"),  // 3828
             QStringLiteral("Insert the Number of Bytes of Data to send"),  // 3829
             QStringLiteral("Enable to send the PGN when its Request arrives"),  // 3830
             QStringLiteral("Enable to send the PGN when the Data change"),  // 3831
             QStringLiteral("Enable to send the PGN with the Timer"),  // 3832
             QStringLiteral("Insert the Time between two sendings expressed in milliseconds"),  // 3833
             QStringLiteral("Insert a description of the J1939 Frame"),  // 3834
             QStringLiteral("Error in row "),  // 3835
             QStringLiteral("!! Priority must be between 0 and 7"),  // 3836
             QStringLiteral("!! Data Page must be 0 or 1"),  // 3837
             QStringLiteral("!! PGN must be between 0x00000 and 0x1FFFF"),  // 3838
             QStringLiteral("!! Source Address must be between 0 and 255"),  // 3839
             QStringLiteral("!! Num Byte must be between 0 and "),  // 3840
             QStringLiteral("Error!! Too many bytes of data, the max number is "),  // 3841
             QStringLiteral("!! Send Timer must be between 1 and 65535 ms"),  // 3842
             QStringLiteral("Are you sure to delete the Row number "),  // 3843
         }},
        {4100,
         {
             QStringLiteral("Receive NMEA 2000 Frames"),  // 4100
             QStringLiteral("Receive NMEA 2000 Frames"),  // 4101
             QStringLiteral("OK"),  // 4102
             QStringLiteral("Cancel"),  // 4103
             QStringLiteral("Delete Row"),  // 4104
             QStringLiteral("Insert Row"),  // 4105
             QStringLiteral("Copy Row"),  // 4106
             QStringLiteral("Paste Row"),  // 4107
             QStringLiteral("Confirm and save the NMEA 2000 Receive Frames List"),  // 4108
             QStringLiteral("Exit without save the NMEA 2000 Receive Frames List"),  // 4109
             QStringLiteral("Delete the Selected Row in the table"),  // 4110
             QStringLiteral("Insert a Row in the Table"),  // 4111
             QStringLiteral("Copy all Fields of the Selected Row"),  // 4112
             QStringLiteral("Paste the Copied Fields in the Selected Row"),  // 4113
             QStringLiteral("N"),  // 4114
             QStringLiteral("PGN"),  // 4115
             QStringLiteral("Source Address"),  // 4116
             QStringLiteral("Transport Protocol"),  // 4117
             QStringLiteral("Fast Packet"),  // 4118
             QStringLiteral("Start Byte"),  // 4119
             QStringLiteral("N Byte"),  // 4120
             QStringLiteral("Cancel Data"),  // 4121
             QStringLiteral("Mnemonic"),  // 4122
             QStringLiteral("Insert the PGN to receive"),  // 4123
             QStringLiteral("Insert the Source Address of the NMEA 2000 Frame (0 to 239)"),  // 4124
             QStringLiteral("Enable if the PGN is received with the Transport Protocol"),  // 4125
             QStringLiteral("Enable if the PGN is received as Fast Packet"),  // 4126
             QStringLiteral("Insert the first Byte of Data to save"),  // 4127
             QStringLiteral("Insert the Number of Bytes of Data to save"),  // 4128
             QStringLiteral("Enable to cancel the Data when the TimeOut elapses"),  // 4129
             QStringLiteral("Insert a description of the NMEA 2000 Frame"),  // 4130
             QStringLiteral("Error in row "),  // 4131
             QStringLiteral("!! PGN must be between 0x00000 and 0x1FFFF"),  // 4132
             QStringLiteral("!! Source Address must be between 0 and 239"),  // 4133
             QStringLiteral("!! Start Byte must be between 0 and 1785"),  // 4134
             QStringLiteral("!! Start Byte plus Number Bytes must be between 0 and 1785"),  // 4135
             QStringLiteral("!! Start Byte must be between 0 and 223"),  // 4136
             QStringLiteral("!! Start Byte plus Number Bytes must be between 0 and 223"),  // 4137
             QStringLiteral("!! Start Byte and Number Bytes must be both compiled"),  // 4138
             QStringLiteral("!! The Start Byte must be between 1 and 8"),  // 4139
             QStringLiteral("!! The Number Bytes must be between 1 and 8"),  // 4140
             QStringLiteral("!! The Number Bytes plus Start Byte must be minor of 9"),  // 4141
             QStringLiteral("Error!! Too many bytes of data, the max number is "),  // 4142
             QStringLiteral("Are you sure to delete the Row number "),  // 4143
         }},
        {4200,
         {
             QStringLiteral("Transmit NMEA 2000 Frames"),  // 4200
             QStringLiteral("Transmit NMEA 2000 Frames"),  // 4201
             QStringLiteral("OK"),  // 4202
             QStringLiteral("Cancel"),  // 4203
             QStringLiteral("Delete Row"),  // 4204
             QStringLiteral("Insert Row"),  // 4205
             QStringLiteral("Copy Row"),  // 4206
             QStringLiteral("Paste Row"),  // 4207
             QStringLiteral("Confirm and save the NMEA 2000 Transmit Frames List"),  // 4208
             QStringLiteral("Exit without save the NMEA 2000 Transmit Frames List"),  // 4209
             QStringLiteral("Delete the Selected Row in the table"),  // 4210
             QStringLiteral("Insert a Row in the Table"),  // 4211
             QStringLiteral("Copy all Fields of the Selected Row"),  // 4212
             QStringLiteral("Paste the Copied Fields in the Selected Row"),  // 4213
             QStringLiteral("N"),  // 4214
             QStringLiteral("Priority"),  // 4215
             QStringLiteral("PGN"),  // 4216
             QStringLiteral("Source Address"),  // 4217
             QStringLiteral("Fast Packet"),  // 4218
             QStringLiteral("Num Byte"),  // 4219
             QStringLiteral("Request"),  // 4220
             QStringLiteral("Data Change"),  // 4221
             QStringLiteral("On Timer"),  // 4222
             QStringLiteral("Send Timer"),  // 4223
             QStringLiteral("Mnemonic"),  // 4224
             QStringLiteral("Insert the Priority of the NMEA 2000 Frame (0 to 7)"),  // 4225
             QStringLiteral("Insert the PGN to send"),  // 4226
             QStringLiteral("Insert the Source Address of the NMEA 2000 Frame (0 to 239)"),  // 4227
             QStringLiteral("Enable to send the PGN as Fast Packet"),  // 4228
             QStringLiteral("Insert the Number of Bytes of Data to send"),  // 4229
             QStringLiteral("Enable to send the PGN when its Request arrives"),  // 4230
             QStringLiteral("Enable to send the PGN when the Data change"),  // 4231
             QStringLiteral("Enable to send the PGN with the Timer"),  // 4232
             QStringLiteral("Insert the Time between two sendings expressed in milliseconds"),  // 4233
             QStringLiteral("Insert a description of the NMEA 2000 Frame"),  // 4234
             QStringLiteral("Error in row "),  // 4235
             QStringLiteral("!! Priority must be between 0 and 7"),  // 4236
             QStringLiteral("!! PGN must be between 0x00000 and 0x1FFFF"),  // 4237
             QStringLiteral("!! Source Address must be between 0 and 239"),  // 4238
             QStringLiteral("!! Num Byte must be between 0 and "),  // 4239
             QStringLiteral("Error!! Too many bytes of data, the max number is "),  // 4240
             QStringLiteral("!! Send Timer must be between 1 and 65535 ms"),  // 4241
             QStringLiteral("Are you sure to delete the Row number "),  // 4242
         }},
    };
}
