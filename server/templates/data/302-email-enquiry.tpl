# Pennova writing template (our own text)
id: 302
kind: high
category: 电子邮件|Emails
name: 邮件：咨询课程或活动信息|Email asking for information
description: 适用于向学校、机构或公司咨询课程、活动、产品信息的邮件。说明从何处得知信息，列出具体问题，最后表示感谢。
title: Enquiry about [标题中的咨询对象，如 Your Summer English Course] || 关于[标题中的咨询对象，如 Your Summer English Course]的咨询

[block]
Dear [收信人，如 Sir or Madam], || 尊敬的[收信人，如 Sir or Madam]：

[block]
I saw [信息来源，如 your advertisement in the campus newspaper]. || 我看到了[信息来源，如 your advertisement in the campus newspaper]。
I am interested in [咨询对象，如 your summer English course] and would like to know more about it. || 我对[咨询对象，如 your summer English course]很感兴趣，想了解更多信息。
[alternative]
I am writing to ask for some information about [咨询对象，如 your summer English course]. || 我写信想咨询一些关于[咨询对象，如 your summer English course]的信息。
A friend of mine told me that it is very helpful. || 我的一个朋友告诉我它很有帮助。

[block]
First, could you tell me [问题一，如 when the course starts and how long it lasts]? || 首先，能否告诉我[问题一，如 when the course starts and how long it lasts]？
Second, I would like to know [问题二，如 how much it costs]. || 其次，我想知道[问题二，如 how much it costs]。
Finally, [问题三，如 is there a test before the course]? || 最后，[问题三，如 is there a test before the course]？
[alternative]
I have a few questions. || 我有几个问题。
To begin with, [问题一，如 how many students are there in each class]? || 首先，[问题一，如 how many students are there in each class]？
I also wonder [问题二，如 whether the teachers are native speakers]. || 我还想了解[问题二，如 whether the teachers are native speakers]。
Lastly, [问题三，如 can I get a certificate at the end]? || 最后，[问题三，如 can I get a certificate at the end]？

[block]
I would be grateful if you could send me [材料，如 a brochure or a timetable]. || 如果您能寄给我[材料，如 a brochure or a timetable]，我将不胜感激。
You can reach me at [邮箱，如 lihua@example.com]. || 您可以通过[邮箱，如 lihua@example.com]联系我。

[block]
Thank you for your help. || 感谢您的帮助。
I look forward to hearing from you soon. || 期待尽快收到您的回复。

[block]
Best wishes, \n || 祝好，\n
[姓名，如 Li Hua] || [姓名，如 Li Hua]

[common]
I would like to know whether there are any places left. || 我想知道是否还有名额。
Could you please send me more details? || 您能给我发更多详细信息吗？
Is it possible to pay in two parts? || 可以分两次付款吗？
Do you offer any discounts for students? || 你们有学生折扣吗？
How can I sign up for it? || 我怎样才能报名？
What should I bring on the first day? || 第一天我应该带什么？
I am looking forward to your early reply. || 盼早日回复。
Thank you in advance for your help. || 先行感谢您的帮助。
